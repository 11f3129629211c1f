# Helpers for the end-to-end tests: a private X server, the game on it, real input through
# xdotool, and the colours on screen at the board's cell centres. Every process started here is
# stopped by its own PID when the test ends.

set -euo pipefail

for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts the game and waits for its main window; sets game_pid and wid.
start_game() {
    QT_QPA_PLATFORM=xcb "$@" &
    game_pid=$!
    pids+=("$game_pid")
    wid=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$game_pid" \
        --name "^Tavlin Solitaire$" \
        | head -n 1) || fail "no window appeared"
    sleep 0.5
}

# Waits up to the given seconds for a process to end; fails if it is still running.
await_exit() {
    local pid=$1 seconds=$2 what=$3
    for _ in $(seq $((seconds * 10))); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "$what"
}

# The board's top-left corner on the screen: the client area's bottom 318 rows, under the menu.
board_origin() {
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    board_x=$X
    board_y=$((Y + HEIGHT - 318))
}

cell_x() { echo $((board_x + $1 % 7 * 40 + 40)); }
cell_y() { echo $((board_y + $1 / 7 * 40 + 40)); }

# Prints the board as seven lines: o marble, . hole, space for corners, ? for anything else.
read_board() {
    import -window root "$workdir/shot.png"
    convert "$workdir/shot.png" -crop "318x318+${board_x}+${board_y}" +repage -depth 8 txt:- \
        | awk -F'[ ,:()]+' '
            NR > 1 {
                x = $1; y = $2; r = $3; g = $4; b = $5
                if ((x - 40) % 40 == 0 && (y - 40) % 40 == 0) {
                    col = (x - 40) / 40; row = (y - 40) / 40
                    if (g > r + 60 && g > b + 60) c = "o"
                    else if (r - b < 12 && b - r < 12 && g - r < 12 && r - g < 12) c = "."
                    else c = "?"
                    cell[row, col] = c
                }
            }
            END {
                for (row = 0; row < 7; row++) {
                    line = ""
                    for (col = 0; col < 7; col++) {
                        playable = (row >= 2 && row <= 4) || (col >= 2 && col <= 4)
                        line = line (playable ? cell[row, col] : " ")
                    }
                    print line
                }
            }'
}

expect_board() {
    local expected=$1 what=$2 actual
    actual=$(read_board)
    if [ "$actual" != "$expected" ]; then
        printf 'expected:\n%s\nactual:\n%s\n' "$expected" "$actual" >&2
        fail "$what"
    fi
    echo "ok: $what"
}

# A drag with the left button from one cell to another, in small real pointer steps.
drag_cell() {
    local from=$1 to=$2 x0 y0 x1 y1 i
    x0=$(cell_x "$from"); y0=$(cell_y "$from"); x1=$(cell_x "$to"); y1=$(cell_y "$to")
    xdotool mousemove "$x0" "$y0"; sleep 0.1
    xdotool mousedown 1; sleep 0.1
    for i in 1 2 3 4; do
        xdotool mousemove $((x0 + (x1 - x0) * i / 4)) $((y0 + (y1 - y0) * i / 4)); sleep 0.05
    done
    xdotool mouseup 1; sleep 0.2
}
