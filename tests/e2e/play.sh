#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# The built program played on a private display with real pointer and key input and judged from
# the screen, as a player judges it: a jump, and one with the About window over the board, the
# drag cursor at four scales, the About link's hover to the pixel, a release lost to a menu that
# must change nothing, the program's end with its last window (in the sanitizer build LeakSanitizer
# checks the heap there) and a quiet stderr. The driver x11.sh or wayland.sh starts the display
# and supplies the game, the input, window rectangles and screenshots, all in device pixels; the
# layout is the program's own (layout.cpp), in logical pixels. Letters name the cases; each runs
# on both backends.
# Usage: play.sh x11|wayland GAME LAYOUT-TOOL SANITIZED(1|0) [INPUT-CLIENT]
# at() prints a point as "x y", split into two arguments on purpose; `A && B || fail` fails when
# either does; the layout, the drivers and their libraries set the other variables.
# shellcheck disable=SC2046,SC2086,SC2015,SC2154,SC1090
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
game=$2 game_env=() game_pid='' pct=100 scale=1 main="Tavlin Solitaire" help="How to Play" about="About Kelmar"
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { for t; do command -v "$t" >/dev/null || { echo "SKIP: no $t"; exit 77; }; done; }
# Starts the game with these environment settings and command prefix.
start_game() { env "${game_env[@]}" "$@" "$game" 2>>"$log" & game_pid=$! && pids+=("$game_pid"); }
source "$here/$1.sh"
log=$workdir/game.log screen=$workdir/shot.ppm
layout=$(ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "$3" 2>"$workdir/layout.log") &&
    eval "$layout" || fail "no layout: $(cat "$workdir/layout.log")"
# Cell 0, the empty corner, lies in cell 14's column and cell 2's row.
cx[0]=${cx[14]} cy[0]=${cy[2]} pitch=$((cx[3] - cx[2]))
# In the sanitizer build a leak at exit makes the status 23, but for the system libraries' own
# (the .supp files); the slow unwinder sees through libraries built without frame pointers. A
# build without the sanitizers ignores the settings.
[ "$4" = 0 ] || ldd "$game" | grep libasan >/dev/null || fail "$game is not built with the sanitizers"
cat "$here/leaks-lsan.supp" "$here/wayland/leaks-lsan.supp" >"$workdir/leaks.supp"
game_env=(ASAN_OPTIONS=detect_leaks=1:exitcode=23:fast_unwind_on_malloc=0
    "LSAN_OPTIONS=suppressions=$workdir/leaks.supp:print_suppressions=0")

# The box X Y W H of the last shot as one "r g b" line a pixel, row by row.
pixels() { convert "$screen" -crop "$3x$4+$1+$2" -depth 8 rgb:- | od -An -v -tu1 -w3; }
# The centre of cell $1 on the screen, or $2 logical pixels left of it.
at() { echo $((bx + (cx[$1] - ${2:-0}) * pct / 100)) $((by + cy[$1] * pct / 100)); }
# What each cell given shows: o a marble (green), . a hole (grey), ? anything else. Read left of
# the centre, where the arrow of a pointer on the centre never reaches.
shows() { shot && for cell; do pixels $(at $cell 6) 1 1; done | awk '{ printf ($2 > $1 + 60 && $2 > $3 + 60 ? \
    "o" : ($1 - $2) ^ 2 + ($2 - $3) ^ 2 + ($3 - $1) ^ 2 < 300 ? "." : "?") }'; }
# Waits until `$1 ARGS` prints $2, then looks once more after $confirm seconds, so that a change
# the last input makes late is not missed; `seen` holds what it printed last. The sanitized game
# can lag seconds behind its input on a busy machine.
settles() {
    for _ in $(seq 100); do
        seen=$("$1" "${@:3}") && [ "$seen" = "$2" ] && sleep "${confirm:-0.1}" && seen=$("$1" "${@:3}") && break
        sleep 0.1
    done && [ "$seen" = "$2" ]
}
expect() { settles shows "$2" $1 && echo "ok: $3" || fail "$3: cells $1 show $seen, not $2"; }
# Sets wx wy ww wh to the client rectangle of the window titled $1 once it shows.
window() {
    for _ in $(seq 100); do read -r wx wy ww wh <<<"$(rect "$1")" && [ -n "$wx" ] && return || sleep 0.1; done
    fail "no window titled $1"
}
# The game window, and its board at the bottom of it.
main_window() { window "$main" && mx=$wx my=$wy mw=$ww bx=$wx by=$((wy + wh - board[1] * pct / 100)); }
drag() { pointer $(at $1) && button down && pointer $(at $2) && button up; }
# Either menu, when open, covers much of the board's top-left corner with its pale background.
menu_shown() { shot && pixels $bx $by $((board[0] / 2)) $((board[1] / 5)) |
    awk '$1 > 220 && $2 > 220 && $3 > 220 { n++ } END { print (n > 2000 ? "open" : "closed") }'; }
# Picks an item of the menu whose title is at X Y of the game window's client area: a click on the
# title, then the item's underlined letter typed into the open menu (a shortcut typed at a window
# just activated can still be lost).
menu() { pointer $((mx + $1)) $((my + $2)) && button down && button up && confirm=0 settles menu_shown open &&
    key tap $3 || fail "a click on the menu bar at $1,$2 opened no menu"; }
# Returns once the game has handled all input before it: a check whose answer is the board as
# it was needs this, or a game lagging behind would pass it.
handled() { menu "${mnuGame[@]}" Escape && confirm=0 settles menu_shown closed || fail "the Game menu stayed open"; }
new_game() { menu "${mnuGame[@]}" n && expect "10 17 24 31" oo.o "Game > New"; }
close() { focus "$1" && key tap Escape && confirm=0 settles rect "" "$1" || fail "Escape left $1 open"; }

# e: the dragged marble is the pointer's picture, centred on it: held over the empty corner, its
# green's centroid sits where a board marble's does on its cell (so that the picture's shading
# cancels out), within a logical pixel.
drag_cursor() {
    local w=$((pitch * pct / 100)) && shot -c
    for cell in 0 2; do read -r x y <<<"$(at $cell)" && pixels $((x - w / 2)) $((y - w / 2)) $w $w; done |
        awk -v w=$w -v s=$scale '$2 > $1 + 60 && $2 > $3 + 60 { i = NR > w * w; n[i]++; x[i] += (NR - 1) % w
            y[i] += int((NR - 1) / w) % w } END { if (!n[0] || !n[1]) { print "not to be seen"; exit }
            dx = (x[0] / n[0] - x[1] / n[1]) / s; dy = (y[0] / n[0] - y[1] / n[1]) / s
            print (dx ^ 2 <= 1 && dy ^ 2 <= 1 ? "centred" : "off the pointer by " dx ", " dy) }'
}
for pct in 150 200 300 100; do
    scale=$((pct / 100)).$((pct % 100))
    launch && main_window && pointer $(at 14) && button down && pointer $(at 0)
    settles drag_cursor centred && button up && echo "ok: e: the drag cursor is centred at scale $scale" ||
        fail "e: at scale $scale the drag cursor is $seen"
done

place "$main" 20 20 && main_window && drag 10 24
expect "10 17 24 31" ..oo "a: 10 -> 24 jumps over 17"

# About opens from the menu and is placed over the board's bottom rows, from halfway between rows
# 3 and 4 down (on Wayland the game once refused every drop while an information window was open).
new_game
menu "${mnuHelp[@]}" a && window "$about" && place "$about" $bx $((by + (cy[21] + cy[28]) / 2)) && window "$about"

# g: the About link is red while the pointer is on it, coming straight from outside, and blue from
# the first point off it, however slowly the pointer leaves. The link's own hit test takes in
# the pixel just past its box, so blue comes one pixel later. At scale 1.
lx=$((wx + link[0])) ly=$((wy + link[1])) lw=${link[2]} lh=${link[3]} x=$((lw / 2)) y=$((lh / 2))
link_colour() { shot && pixels $lx $ly $lw $lh | awk '$1 > 150 && $2 < 100 && $3 < 100 { red++ }
    $3 > 150 && $1 < 100 && $2 < 100 { blue++ }
    END { print (red && !blue ? "red" : blue && !red ? "blue" : "mixed") }'; }
settles link_colour blue || fail "g: the link is $seen before the pointer comes"
for step in "$x $y red" "$((lw - 1)) $y red" "$lw $y red" "$((lw + 1)) $y blue" "$x $y red" "$x $((lh - 1)) red" \
    "$x $lh red" "$x $((lh + 1)) blue"; do
    set -- $step && pointer $((lx + $1)) $((ly + $2)) && settles link_colour $3 ||
        fail "g: the pointer at $1,$2 of the link leaves it $seen, not $3"
done
echo "ok: g: the link is red on it and on its edge, blue from two pixels past it"

# d: the jump above About's frame. Sway raises the game window at the press; the drop is still the
# game's to judge.
drag 10 24
expect "10 17 24" ..o "d: 10 -> 24 jumps with About over the board's bottom rows"
close "$about"

# h: a menu opened from the keyboard mid-drag takes the release: the drag ends there, and the
# pointer passing over the hole afterwards makes no jump.
focus "$main" && pointer $(at 31) && button down && pointer $(at 24) && key down alt && key tap g
key up alt && settles menu_shown open || fail "h: Alt+G opened no menu"
button up && key tap Escape && pointer $(at 17) && handled
expect "10 17 24 31" ..oo "h: a release lost to the Game menu makes no jump"

# i: the program ends with its last window, not with the game window; f: and says nothing.
menu "${mnuHelp[@]}" h && window "$help" && menu "${mnuGame[@]}" x
confirm=0.5 settles rect "" "$main" || fail "i: Game > Exit left the game window open"
[ -n "$(rect "$help")" ] && kill -0 "$game_pid" || fail "i: the program ended with How to Play still open"
close "$help"
timeout 60 tail --pid="$game_pid" -f /dev/null && wait "$game_pid" ||
    fail "i: status $? after the last window closed (124: the program outlived it; 23: a leak)"
echo "ok: i: the program outlived the game window and ended with its last one, status 0"
[ ! -s "$log" ] && echo "ok: f: nothing on the game's stderr" ||
    fail "f: the game wrote to stderr (repeats counted):$(echo; uniq -c "$log")"
