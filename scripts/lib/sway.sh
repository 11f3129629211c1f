# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# A private headless sway for scripts that run the game on Wayland, with xvfb.sh's scratch folder
# and PID-based cleanup. Sway refuses to run as root, so as root every process that talks to it
# (sway, swaymsg, grim, the input client, the game) runs as `nobody`, from copies in the scratch
# folder since the build may sit where that user cannot reach; otherwise as the caller.

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

unset DISPLAY WAYLAND_DISPLAY WAYLAND_SOCKET SWAYSOCK I3SOCK
run_as=()
[ "$(id -u)" -ne 0 ] || run_as=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)"
                                --clear-groups)
chmod 755 "$workdir"
export XDG_RUNTIME_DIR="$workdir/wayland" HOME="$workdir/home"
mkdir -m 700 "$XDG_RUNTIME_DIR" "$HOME"
[ ${#run_as[@]} -eq 0 ] || chown nobody: "$XDG_RUNTIME_DIR" "$HOME"

# Runs a command as the display's user; PID-tracked processes use "${run_as[@]}" directly, so
# that $! is the program itself (setpriv execs it).
as_user() { "${run_as[@]}" "$@"; }

# Copies a program into the scratch folder; prints the copy's path.
user_copy() { install -m 755 "$1" "$workdir/" && echo "$workdir/${1##*/}"; }

# Starts sway on one headless output of WIDTH x HEIGHT layout pixels at scale 1; sets sway_pid
# and exports WAYLAND_DISPLAY and SWAYSOCK for its clients.
start_sway() {
    local socket
    printf 'xwayland disable\noutput HEADLESS-1 mode %sx%s position 0 0 scale 1\n' "$1" "$2" \
        >"$workdir/sway.config"
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        "${run_as[@]}" sway -c "$workdir/sway.config" >"$workdir/sway.log" 2>&1 &
    sway_pid=$!
    pids+=("$sway_pid")
    output_size=("$1" "$2")
    for _ in $(seq 100); do
        for socket in "$XDG_RUNTIME_DIR"/wayland-*; do
            [ -S "$socket" ] && export WAYLAND_DISPLAY=${socket##*/}
        done
        for socket in "$XDG_RUNTIME_DIR"/sway-ipc.*."$sway_pid".sock; do
            [ -S "$socket" ] && export SWAYSOCK=$socket
        done
        [ -n "${WAYLAND_DISPLAY:-}" ] && [ -n "${SWAYSOCK:-}" ] &&
            as_user swaymsg -t get_version >/dev/null 2>&1 && return
        kill -0 "$sway_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "sway did not start:" >&2
    cat "$workdir/sway.log" >&2
    exit 1
}

# Sets the output's scale, keeping the layout the size start_sway gave it.
set_scale() {
    local mode
    mode=$(awk -v w="${output_size[0]}" -v h="${output_size[1]}" -v s="$1" \
        'BEGIN { printf "%dx%d", w * s, h * s }')
    as_user swaymsg output HEADLESS-1 mode "$mode" scale "$1" >/dev/null
    scale=$1
}
scale=1

# The screen in device pixels, into shot.ppm. Headless sway draws the pointer into every shot;
# grim's -c asks for it where the pointer is the subject.
shot() { as_user grim -t ppm "$@" - >"$workdir/shot.ppm"; }
