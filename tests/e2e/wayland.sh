#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# The built program on a private headless sway, played with a virtual pointer and keyboard
# (wayland/wlinput.c) and judged from screenshots, as a player on a Wayland desktop would judge
# it: jumps with the information windows beside and over the board, the drag cursor at four
# screen scales, the About link's hover, drags that must change nothing, a seeded burst checked
# against the rules (wayland/referee.cpp), the program's end, and a quiet stderr throughout.
# Usage: wayland.sh GAME INPUT-CLIENT REFEREE SANITIZED(1|0) [--keep-going]
# --keep-going reports every case instead of stopping at the first failure.
# at() prints "x y", split into two arguments on purpose, as are the cell lists.
# shellcheck disable=SC2046,SC2086
set -euo pipefail
for tool in sway swaymsg grim jq convert setpriv; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$2" ] || { echo "SKIP: no input client at $2"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/sway.sh"
game=$(user_copy "$1")
client=$(user_copy "$2")
referee=$3 log=$workdir/game.log keep_going=${5:-} failed=0
# TAVLIN_E2E_SHOTS=DIR keeps the screenshot each failure was judged from.
fail() {
    echo "FAIL: $*" >&2
    failed=$((failed + 1))
    [ -z "${TAVLIN_E2E_SHOTS:-}" ] || [ ! -s "$workdir/shot.ppm" ] ||
        convert "$workdir/shot.ppm" "$TAVLIN_E2E_SHOTS/failure-$failed.png"
    [ "$keep_going" = --keep-going ] || exit 1
}
die() { keep_going='' fail "$@"; }

game_env=(QT_QPA_PLATFORM=wayland)
if [ "$4" = 1 ]; then
    ldd "$game" | grep libasan >/dev/null || die "$game is not built with the sanitizers"
    # As in play.sh, a leak at exit makes the status 23; Qt's Wayland plugin adds leaks of its own.
    cat "$here/leaks-lsan.supp" "$here/wayland/leaks-lsan.supp" >"$workdir/leaks.supp"
    game_env+=(ASAN_OPTIONS=detect_leaks=1:exitcode=23:fast_unwind_on_malloc=0
               "LSAN_OPTIONS=suppressions=$workdir/leaks.supp:print_suppressions=0")
fi

start_sway 1024 768
# One virtual keyboard for the whole run: each one that comes or goes makes Qt warn about the
# keyboard focus it moves.
coproc INPUT { exec "${run_as[@]}" "$client" 1024 768 2>"$workdir/input.log"; }
pids+=("$INPUT_PID")
input() {
    local command reply
    for command; do
        echo "$command" >&"${INPUT[1]}"
        read -r -t 20 reply <&"${INPUT[0]}" || die "input client: $(cat "$workdir/input.log")"
        [ "$reply" = ok ] || die "input client: $reply"
    done
}
# The pointer waits in a corner, away from where the windows open.
input "move 1023 767"
env "${game_env[@]}" "${run_as[@]}" "$game" 2>"$log" &
game_pid=$!
pids+=("$game_pid")

# The content of the game's window titled $1 as "x y width height" in layout pixels, once it
# shows and holds still (a new window gets its title bar a moment after it first shows): sway's
# rect is the container's, window_rect the client area's place within it.
window() {
    local rect last=
    for _ in $(seq 150); do
        rect=$(as_user swaymsg -t get_tree | jq -r --arg title "$1" --argjson pid "$game_pid" \
            'first(.. | objects | select(.pid? == $pid and .name? == $title)) |
            [.rect.x + .window_rect.x, .rect.y + .window_rect.y, .window_rect.width,
             .window_rect.height] | @sh')
        [ -n "$rect" ] && [ "$rect" = "$last" ] && echo "$rect" && return
        last=$rect
        sleep 0.2
    done
    die "no window titled $1"
}
sway_cmd() {
    window "$1" >/dev/null
    as_user swaymsg "[pid=$game_pid title=\"^$1\$\"] ${*:2}" >/dev/null ||
        die "swaymsg ${*:2} on $1"
}
# Moves the window titled $1 (its frame) to layout X Y; prints its new content rectangle.
place() { sway_cmd "$1" move position "$2" "$3" && window "$1"; }
# Whether the game has a window titled $1: open or gone.
shown() {
    as_user swaymsg -t get_tree | jq -r --argjson pid "$game_pid" --arg title "$1" \
        'if any(.. | objects; .pid? == $pid and .name? == $title) then "open" else "gone" end'
}
# Escape closes an information window; the key goes to the window itself, not to a shortcut.
close() {
    sway_cmd "$1" focus
    input "key escape"
    settles shown gone "$1" || die "Escape left $1 open"
}

main="Tavlin Solitaire" help="How to Play" about="About Kelmar"
rect=$(place "$main" 20 20)
read -r mx my mw mh <<<"$rect"
# The board is the client area's bottom 318 rows, under the menu; cells are 40 pixels apart.
bx=$mx by=$((my + mh - 318))
at() { echo $((bx + $1 % 7 * 40 + 40)) $((by + $1 / 7 * 40 + 40)); }
drag() { input "move $(at $1)" down "move $(at $2)" up; }
click() { input "move $(at 0)" down up; }
playable="2 3 4 9 10 11 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 37 38 39
          44 45 46"
opening=oooooooooooooooo.oooooooooooooooo

# What the screen shows in each cell given: o a marble (green), . a hole (grey), ? anything else.
# Headless sway draws the pointer into every screenshot, so the point read is 6 pixels left of
# the centre, where an arrow whose tip is on the centre never reaches. Layout points become device
# pixels at the output's scale.
shows() {
    shot
    convert "$workdir/shot.ppm" -format "$(for cell; do at $cell; done | awk -v s="$scale" '{
        for (c = 1; c <= 3; c++)
            printf "%%[fx:int(255*p{%d,%d}.%s)] ", ($1 - 6) * s, $2 * s, substr("rgb", c, 1)
        printf "\\n" }')" info: | awk '{ printf ($2 > $1 + 60 && $2 > $3 + 60 ? "o" : \
        ($1 - $2) ^ 2 + ($2 - $3) ^ 2 + ($3 - $1) ^ 2 < 300 ? "." : "?") }'
}
# The layout box X Y WIDTH HEIGHT of the last shot in device pixels: its width, then a line
# "r g b" for each pixel, row by row.
pixels() {
    set -- $(awk -v s="$scale" -v x=$1 -v y=$2 -v w=$3 -v h=$4 \
        'BEGIN { printf "%d %d %d %d", w * s, h * s, x * s, y * s }')
    echo "$1"
    convert "$workdir/shot.ppm" -crop "$1x$2+$3+$4" -depth 8 rgb:- | od -An -v -tu1 -w3
}
# Waits until `$1 ARGS` prints $2, then looks once more, so that a change the last input makes
# late is not missed; `seen` holds what it printed last. The sanitized game can lag seconds
# behind its input on a busy machine.
settles() {
    local probe=$1 want=$2
    shift 2
    for _ in $(seq 50); do
        sleep 0.2
        seen=$($probe "$@")
        [ "$seen" = "$want" ] && break
    done
    [ "$seen" = "$want" ] && sleep 0.3 && seen=$($probe "$@")
    [ "$seen" = "$want" ]
}
expect() {
    settles shows "$2" $1 && echo "ok: $3" || fail "$3: cells $1 show $seen, not $2"
}
# Either menu, when open, covers much of the board's top-left corner with its pale background.
menu_shown() {
    shot
    pixels $bx $by 180 60 | awk 'NR > 1 && $1 > 220 && $2 > 220 && $3 > 220 { pale++ }
        END { print (pale > 2000 ? "open" : "closed") }'
}
# Picks an item of the menu whose title is $1 pixels from the menu bar's left: a click on the
# title, then the item's underlined letter typed into the open menu. Shortcuts typed at the game
# window can be lost right after it gains the keyboard, since Qt activates a window only a round
# trip later (no player is that quick); the open menu takes keys at once.
game_menu=28 help_menu=74
menu() {
    input "move $((mx + $1)) $((my + 9))" down up
    settles menu_shown open || die "a click on the menu bar opened no menu"
    input "key $2"
}
new_game() {
    menu $game_menu n
    settles shows $opening $playable || die "Game > New left the board showing $seen"
}
# Returns once the game has handled all the input sent before it: a menu opened and closed
# again. A check whose answer is the board as it was before the input needs this, or a game
# lagging behind would pass it.
handled() {
    menu $game_menu escape
    settles menu_shown closed || die "Escape did not close the Game menu"
}
no_overlap() {
    local ax ay aw ah
    read -r ax ay aw ah <<<"$1"
    [ $((ax + aw)) -lt "$mx" ] || [ $((mx + mw)) -lt "$ax" ] || [ $((ay + ah)) -lt "$my" ] ||
        [ $((my + mh)) -lt "$ay" ] || die "$2 overlaps the game window"
}

new_game
drag 10 24
expect "10 17 24 31" ..oo "a: 10 -> 24 jumps over 17"

new_game
menu $help_menu h
rect=$(place "$help" $((mx + mw + 40)) 20)
no_overlap "$rect" "$help"
click
drag 10 24
expect "10 17 24 31" ..oo "b: 10 -> 24 jumps with How to Play beside the board"
close "$help"

new_game
menu $help_menu a
rect=$(place "$about" $((mx + mw + 40)) 20)
no_overlap "$rect" "$about"
read -r ax ay aw ah <<<"$rect"
click
drag 10 24
expect "10 17 24 31" ..oo "c: 10 -> 24 jumps with About beside the board"

# The link box, from the About window's layout: blue, red while the pointer is on it.
lx=$((ax + 80)) ly=$((ay + 192)) lw=161 lh=17
link_colour() {
    shot
    pixels $lx $ly $lw $lh | awk 'NR > 1 && $3 > 150 && $1 < 100 && $2 < 100 { blue++ }
        NR > 1 && $1 > 150 && $2 < 100 && $3 < 100 { red++ }
        END { print (red && !blue ? "red" : blue && !red ? "blue" : \
              "mixed (" red + 0 " red, " blue + 0 " blue pixels)") }'
}
settles link_colour blue || fail "g: the link is $seen before the pointer comes"
# The pointer lands on the link from outside in one move, then leaves it a pixel at a time. The
# link's own hit test takes in the pixel just past its box, so blue comes one pixel later.
while read -r x y want what; do
    input "move $((lx + x)) $((ly + y))"
    settles link_colour $want && echo "ok: g: $want $what" || fail "g: $what the link is $seen"
done <<CASES
80 8 red on landing on the link from outside
160 8 red on its last column
161 8 red on the column just past it
162 8 blue two columns past it
80 8 red back on it
80 16 red on its last row
80 17 red on the row just below it
80 18 blue two rows below it
CASES

# About's frame from the top of row 4 down, over the bottom rows; the jump stays in the top rows.
# Sway raises the game window at the press, as it raises any window clicked; the drop is still
# the game's to judge, not the About window's.
new_game
place "$about" $((bx - 2)) $((by + 180)) >/dev/null
drag 10 24
expect "10 17 24" ..o "d: 10 -> 24 jumps with About over the board's bottom rows"
close "$about"

new_game
input "move $(at 10)" down "move $((mx + mw + 100)) $((my + 100))" up
handled
expect "10 17 24" oo. "h: a drag released outside the window puts the marble back"
drag 10 24
input "move $(at 0)" "press ctrl" down up "release ctrl"
expect "10 17 24" oo. "h: Ctrl+press on the background undoes"
input "press shift" down up "release shift"
expect "10 17 24" ..o "h: Shift+press on the background redoes"
# A menu opened from the keyboard mid-drag takes the release: the drag ends there, and the
# pointer passing over the hole afterwards makes no jump.
input "move $(at 31)" down "move $(at 24)" "press alt" "key g" "release alt"
settles menu_shown open || fail "h: Alt+G opened no menu in the middle of a drag"
input up "key escape" "move $(at 17)"
handled
expect "10 17 24 31" ..oo "h: a release lost to the Game menu makes no jump"

seed=${TAVLIN_E2E_SEED:-20261208} count=40
mapfile -t drags < <("$referee" "$seed" $count)
new_game
for move in "${drags[@]:0:count}"; do
    drag $move
done
expect "$playable" "${drags[count]}" "j: $count random drags (seed $seed) end on the rules' board"

# The dragged marble is the pointer's picture: its green centred on the pointer within a pixel,
# measured against a board marble so that the picture's own shading cancels out. Cell 0 has no
# marble within the 20 pixels measured around it.
centroid() {
    pixels $(($1 - 20)) $(($2 - 20)) 40 40 | awk -v s="$scale" 'NR == 1 { width = $1 }
        NR > 1 && $2 > $1 + 60 && $2 > $3 + 60 {
            n++; sx += (NR - 2) % width; sy += int((NR - 2) / width) }
        END { if (n) printf "%.2f %.2f", (sx / n + 0.5) / s - 20, (sy / n + 0.5) / s - 20 }'
}
drag_cursor() {
    shot -c
    awk -v c="$(centroid $(at 0))" -v r="$reference" 'BEGIN { split(c, a); split(r, b)
        dx = a[1] - b[1]; dy = a[2] - b[2]
        print (c == "" ? "nowhere near the pointer" : dx ^ 2 <= 1 && dy ^ 2 <= 1 ? "centred" : \
            sprintf("off the pointer by %.1f, %.1f pixels", dx, dy)) }'
}
for s in 1 1.5 2 3; do
    set_scale $s
    new_game
    shot
    reference=$(centroid $(at 2))
    input "move $(at 14)" down "move $(at 0)"
    settles drag_cursor centred && echo "ok: e: the dragged marble is centred at scale $s" ||
        fail "e: at scale $s the dragged marble is $seen"
    input up
done
set_scale 1

# The program ends with its last window, not with the game window.
menu $help_menu h
window "$help" >/dev/null
menu $game_menu x
settles shown gone "$main" || fail "i: Game > Exit left the game window open"
kill -0 "$game_pid" 2>/dev/null || die "i: the program ended with How to Play still open"
echo "ok: i: How to Play outlives the game window"
close "$help"
timeout 60 tail --pid="$game_pid" -f /dev/null || die "i: the program outlived its last window"
status=0
wait "$game_pid" || status=$?
[ "$status" = 0 ] && echo "ok: i: the program ended with its last window, status 0" ||
    fail "i: the program ended with status $status (23: a leak)"

[ ! -s "$log" ] && echo "ok: f: nothing on the game's stderr" ||
    fail "f: the game wrote to stderr (repeats counted):$(echo; uniq -c "$log")"
[ "$failed" = 0 ]
