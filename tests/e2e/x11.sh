# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# play.sh's driver for X11, which it starts: a private Xvfb without a window manager, input
# through xdotool, pictures through scrot. X11 coordinates are the screen's device pixels already.
# shellcheck shell=bash disable=SC2015,SC2154,SC1091
need Xvfb xdotool scrot convert
source "$here/../../scripts/lib/xvfb.sh"
start_xvfb
# The xcb plugin fixes the scale at start-up: a game already running is ended and started again.
launch() {
    [ -z "$game_pid" ] || { kill "$game_pid" && wait "$game_pid" || true; }
    start_game QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale"
}
# Runs an xdotool command on the game's window titled $1.
on() { xdotool search --all --onlyvisible --pid "$game_pid" --name "^$1\$" "${@:2}"; }
# "x y width height" of that window: getwindowgeometry --shell prints WINDOW, X, Y, WIDTH, HEIGHT
# and SCREEN, a line each.
rect() { on "$1" getwindowgeometry --shell 2>/dev/null | awk -F= 'NR > 1 && NR < 6 { printf "%s ", $2 }' || true; }
place() { on "$1" windowmove "$2" "$3"; }
focus() { on "$1" windowfocus --sync; }
pointer() { xdotool mousemove "$1" "$2"; }
button() { xdotool "mouse$1" 1; }
key() { xdotool "key${1#tap}" "$2"; }
shot() { scrot -o ${1:+-p} "$screen"; }
