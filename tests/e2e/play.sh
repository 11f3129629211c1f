#!/usr/bin/env bash
# The built program on a private X server, played with real pointer and key input and read back
# from the screen, then ended the way a user ends it: the program outlives the game window while
# How to Play is open and ends with status 0 when that closes. In the sanitizer build
# LeakSanitizer checks the heap at that exit.
# Usage: play.sh PATH-TO-GAME SANITIZED(1|0)
# at() prints a cell centre as "x y", split into two arguments on purpose.
# shellcheck disable=SC2046
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
# The board's rows, joined by |: o a marble, . a hole, a space off the cross, ? anything else.
board() {
    import -window root "$workdir/shot.png"
    convert "$workdir/shot.png" -crop "241x241+$((bx + 40))+$((by + 40))" +repage -depth 8 txt:- \
        | awk -F'[ ,:()]+' 'NR > 1 && $1 % 40 == 0 && $2 % 40 == 0 {
            col = $1 / 40; row = $2 / 40; r = $3; g = $4; b = $5
            if ((row < 2 || row > 4) && (col < 2 || col > 4)) c = " "
            else if (g > r + 60 && g > b + 60) c = "o"
            else if (r - b < 12 && b - r < 12 && g - r < 12 && r - g < 12) c = "."
            else c = "?"
            printf "%s%s", c, (col == 6 && row < 6 ? "|" : "") }'
}
expect() {
    local actual
    actual=$(board)
    [ "$actual" = "$1" ] && echo "ok: $2" || fail "$2: the board shows '$actual', expected '$1'"
}
press() { xdotool mousemove $(at "$1") sleep 0.1 mousedown 1 sleep 0.1; }
release() { xdotool mousemove $(at "$1") sleep 0.1 mouseup 1 sleep 0.3; }

start='  ooo  |  ooo  |ooooooo|ooo.ooo|ooooooo|  ooo  |  ooo  '
after_first='  ooo  |  o.o  |ooo.ooo|ooooooo|ooooooo|  ooo  |  ooo  '
expect "$start" "starting position: 32 marbles, the centre a hole"
press 10
xdotool mousemove $(at 17) sleep 0.3
expect '  ooo  |  o.o  |ooooooo|ooo.ooo|ooooooo|  ooo  |  ooo  ' "mid-drag: cell 10 shows its hole"
release 24
expect "$after_first" "10 -> 24 jumped over 17"

press 26
xdotool mousemove $((bx + 500)) $((by + 150)) sleep 0.2 mouseup 1 sleep 0.3
expect "$after_first" "drag released outside the window: the marble is back at once"

# A menu opened from the keyboard mid-drag takes the release: the drag ends there, and the
# pointer passing over the hole afterwards makes no jump.
xdotool windowfocus --sync "$wid"
press 31
xdotool mousemove $(at 24) sleep 0.2 key alt+g sleep 0.3 mouseup 1 sleep 0.2 key Escape sleep 0.2 \
    mousemove $(at 17) sleep 0.3
expect "$after_first" "a release lost to the Game menu makes no jump"

xdotool mousemove $((bx + 8)) $((by + 8)) sleep 0.1 keydown ctrl click 1 keyup ctrl sleep 0.3
expect "$start" "Ctrl-press on the background undoes"

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
