#!/usr/bin/env bash
# The built program on a private X server, played with real pointer and key input and read back
# from the screen (a jump, a release lost to a menu), then ended the way a user ends it: the
# program outlives the game window while How to Play is open and ends with status 0 when that
# closes. In the sanitizer build LeakSanitizer checks the heap at that exit.
# Usage: play.sh PATH-TO-GAME SANITIZED(1|0)
# at() prints a cell centre as "x y", split into two arguments on purpose, as is shows' list.
# shellcheck disable=SC2046,SC2086
set -euo pipefail
for tool in Xvfb xdotool import convert; do
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
QT_QPA_PLATFORM=xcb "$game" 2>"$log" &
game_pid=$!
pids+=("$game_pid")
find_window() {
    timeout 30 xdotool search --all --sync --onlyvisible --pid "$game_pid" --name "^$1$" | head -n 1
}
wid=$(find_window "Tavlin Solitaire") || fail "no window titled Tavlin Solitaire appeared"
sleep 0.5

# The board is the client area's bottom 318 rows, under the menu; cells are 40 pixels apart.
eval "$(xdotool getwindowgeometry --shell "$wid")"
bx=$X by=$((Y + HEIGHT - 318))
at() { echo $((bx + $1 % 7 * 40 + 40)) $((by + $1 / 7 * 40 + 40)); }
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
xdotool mousemove $(at 10) sleep 0.1 mousedown 1 sleep 0.1 mousemove $(at 24) sleep 0.1 \
    mouseup 1 sleep 0.3
expect "10 17 24 31" ..oo "10 -> 24 jumped over 17"

# A menu opened from the keyboard mid-drag takes the release: the drag ends there, and the
# pointer passing over the hole afterwards makes no jump.
xdotool windowfocus --sync "$wid" mousemove $(at 31) sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove $(at 24) sleep 0.2 key alt+g sleep 0.3 mouseup 1 sleep 0.2 key Escape sleep 0.2 \
    mousemove $(at 17) sleep 0.3
expect "10 17 24 31" ..oo "a release lost to the Game menu makes no jump"

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
