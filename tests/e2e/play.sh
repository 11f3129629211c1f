#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# The built program on a private X server, played with real pointer and key input and read back
# from the screen (the drag cursor at each density, a jump, a release lost to a menu, the About
# link left slowly), then ended the way a user ends it: the program outlives the game window
# while How to Play is open and ends with status 0 when that closes. In the sanitizer build
# LeakSanitizer checks the heap at that exit.
# Usage: play.sh PATH-TO-GAME SANITIZED(1|0)
# at() prints a cell centre as "x y", split into two arguments on purpose, as is shows' list.
# shellcheck disable=SC2046,SC2086
set -euo pipefail
for tool in Xvfb xdotool import convert scrot; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/xvfb.sh"
game=$1 log=$workdir/game.log
fail() { echo "FAIL: $*" >&2; [ ! -s "$log" ] || cat "$log" >&2; exit 1; }

if [ "$2" = 1 ]; then
    # A build without the sanitizers would pass here without having checked anything.
    ldd "$game" | grep libasan >/dev/null || fail "$game is not built with the sanitizers"
    # An unsuppressed leak at exit makes the status 23. The slow unwinder sees through system
    # libraries built without frame pointers, so that the suppressions find their frames.
    export ASAN_OPTIONS=detect_leaks=1:exitcode=23:fast_unwind_on_malloc=0
    export LSAN_OPTIONS=suppressions=$here/leaks-lsan.supp
fi
start_xvfb
find_window() {
    timeout 30 xdotool search --all --sync --onlyvisible --pid "$game_pid" --name "^$1$" | head -n 1
}
# Starts the game at a screen scale; the board is the client area's bottom 318 * scale rows,
# under the menu, and its cells are 40 * scale pixels apart.
launch() {
    scale=$1
    QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb "$game" 2>>"$log" &
    game_pid=$!
    pids+=("$game_pid")
    wid=$(find_window "Tavlin Solitaire") || fail "no window titled Tavlin Solitaire appeared"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    bx=$X by=$(awk "BEGIN { print int($Y + $HEIGHT - 318 * $scale) }")
}
at() {
    awk "BEGIN { d = 40 * $scale; print int($bx + ($1 % 7 + 1) * d), int($by + (int($1 / 7) + 1) * d) }"
}
# What the screen shows at the centre of each cell given: o a marble (green), . a hole (grey),
# ? anything else.
shows() {
    import -window root "$workdir/shot.png"
    for cell; do
        convert "$workdir/shot.png" -crop "1x1+$(at "$cell" | tr ' ' +)" -depth 8 txt:- | awk \
            -F'[(),]+' 'NR == 2 { r = $3; g = $4; b = $5; printf (g > r + 60 && g > b + 60 ? "o" : \
            (r - g) ^ 2 + (g - b) ^ 2 + (b - r) ^ 2 < 300 ? "." : "?") }'
    done
}
expect() {
    [ "$(shows $1)" = "$2" ] && echo "ok: $3" || fail "$3: cells $1 show $(shows $1), not $2"
}

# The drag cursor is the marble drawn at the screen's density, centred on the pointer: held over
# the empty corner cell 0, the green around the pointer spans a box whose middle is the pointer.
for s in 1.5 2 3 1; do
    launch "$s"
    xdotool mousemove $(at 10) sleep 0.1 mousedown 1 sleep 0.1 mousemove $(at 0) sleep 0.3
    scrot -o -p "$workdir/cursor.png"
    xdotool mouseup 1 sleep 0.2
    read -r px py <<<"$(at 0)"
    r=$(awk "BEGIN { print int(24 * $s) }")
    box=$(convert "$workdir/cursor.png" -crop "$((2 * r))x$((2 * r))+$((px - r))+$((py - r))" \
        -depth 8 txt:- | awk -F'[(),: ]+' 'NR > 1 && $4 > $3 + 60 && $4 > $5 + 60 {
            if (n++ == 0) { x0 = x1 = $1; y0 = y1 = $2 }
            x0 = $1 < x0 ? $1 : x0; x1 = $1 > x1 ? $1 : x1
            y0 = $2 < y0 ? $2 : y0; y1 = $2 > y1 ? $2 : y1 }
        END { printf "%d %d %.1f %.1f", x1 - x0 + 1, y1 - y0 + 1, (x0 + x1 + 1) / 2,
              (y0 + y1 + 1) / 2 }')
    read -r bw bh cx cy <<<"$box"
    awk "BEGIN { exit !($bw >= 30 * $s && $bh >= 30 * $s && ($cx - $r) ^ 2 <= $s ^ 2 && \
        ($cy - $r) ^ 2 <= $s ^ 2) }" \
        || fail "at scale $s the drag cursor is ${bw}x$bh centred at $cx,$cy, not on $r,$r"
    echo "ok: the drag cursor is centred on the pointer at scale $s"
    [ "$s" = 1 ] || { kill "$game_pid"; wait "$game_pid" || true; }
done
: >"$log"

xdotool mousemove $(at 10) sleep 0.1 mousedown 1 sleep 0.1 mousemove $(at 24) sleep 0.1 \
    mouseup 1 sleep 0.3
expect "10 17 24 31" ..oo "10 -> 24 jumped over 17"

# A menu opened from the keyboard mid-drag takes the release: the drag ends there, and the
# pointer passing over the hole afterwards makes no jump.
xdotool windowfocus --sync "$wid" mousemove $(at 31) sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove $(at 24) sleep 0.2 key alt+g sleep 0.3 mouseup 1 sleep 0.2 key Escape sleep 0.2 \
    mousemove $(at 17) sleep 0.3
expect "10 17 24 31" ..oo "a release lost to the Game menu makes no jump"

# The About link is red while the pointer is on it, coming straight from outside, and blue from
# the first point off it, however slowly the pointer leaves: a pixel at a time past the right
# edge (the pixel just past the box is still its edge), then past the bottom. Its box is
# 161 x 17 pixels at 80,192 of the window.
xdotool windowfocus --sync "$wid" key alt+h sleep 0.3 key a
about=$(find_window "About Kelmar") || fail "About did not open"
eval "$(xdotool getwindowgeometry --shell "$about")"
lx=$((X + 80)) ly=$((Y + 192)) mx=$((X + 160)) my=$((Y + 200))
link() {
    import -window root "$workdir/shot.png"
    convert "$workdir/shot.png" -crop "161x17+$lx+$ly" -depth 8 txt:- | awk -F'[(),: ]+' '
        NR > 1 { red += $3 > 150 && $4 < 100 && $5 < 100; blue += $5 > 150 && $3 < 100 && $4 < 100 }
        END { print (red > blue ? "red" : blue > red ? "blue" : "unseen") }'
}
xdotool mousemove $mx $((Y + HEIGHT + 20)) sleep 0.2
for step in "$mx $my red" "$((lx + 160)) $my red" "$((lx + 161)) $my red" \
    "$((lx + 162)) $my blue" "$((lx + 200)) $my blue" "$mx $my red" "$mx $((ly + 16)) red" \
    "$mx $((ly + 17)) red" "$mx $((ly + 18)) blue" "$mx $((ly + 40)) blue"; do
    read -r x y colour <<<"$step"
    xdotool mousemove "$x" "$y" sleep 0.2
    [ "$(link)" = "$colour" ] || fail "the pointer at $x,$y leaves the link $(link), not $colour"
done
echo "ok: the About link is red on it and blue as soon as the pointer is off it"
xdotool windowfocus --sync "$about" key Escape

# The program ends with its last window, not with the game window.
xdotool windowfocus --sync "$wid" key alt+h sleep 0.3 key h
help=$(find_window "How to Play") || fail "How to Play did not open"
xdotool windowfocus --sync "$wid" key alt+g sleep 0.3 key x sleep 1
xdotool search --all --onlyvisible --pid "$game_pid" --name '^Tavlin Solitaire$' >/dev/null \
    && fail "Game > Exit left the game window open"
kill -0 "$game_pid" 2>/dev/null || fail "the program ended with How to Play still open"
echo "ok: How to Play outlives the game window"
xdotool windowfocus --sync "$help" key Escape
timeout 60 tail --pid="$game_pid" -f /dev/null || fail "the program outlived its last window"
wait "$game_pid" || fail "the program ended with status $? (23: a leak)"
echo "ok: the program ended with its last window, status 0"
