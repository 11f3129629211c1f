# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# A private X server for scripts that run the game: a scratch folder, and every process the
# script records in `pids` stopped by its own PID when the script ends, however it ends.

pids=()
workdir=$(mktemp -d)
export XDG_RUNTIME_DIR="$workdir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$workdir"
}
trap cleanup EXIT

# Starts Xvfb on a display number it chooses itself, so parallel runs never collide; sets
# DISPLAY and xvfb_pid.
start_xvfb() {
    local fifo="$workdir/displayfd" number
    mkfifo "$fifo"
    # -noreset: the server would otherwise reset whenever its last client leaves, and refuse the
    # next one that comes meanwhile (as a script that restarts the game does).
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$number"
}
