# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# play.sh's driver for Wayland, which it starts: a private headless sway, input from our own
# virtual pointer and keyboard (wayland/wlinput.c, $5), window rectangles from sway's tree,
# pictures from grim (shot, in sway.sh). Sway's layout is in logical pixels: rectangles are
# scaled to device pixels here, and the pointer is placed on a screen of device pixels.
# shellcheck shell=bash disable=SC2015,SC2154,SC1091
need sway swaymsg grim jq convert setpriv "${5:-wlinput}"
source "$here/../../scripts/lib/sway.sh"
game=$(user_copy "$game") client=$(user_copy "$5")
declare -A state=([down]=1 [up]=0) code=([Escape]=1 [ctrl]=29 [shift]=42 [alt]=56 [a]=30 [g]=34 [h]=35 [n]=49 [x]=45)
# Sends a command to the input client (none: waits for its devices) and waits for its answer.
input() {
    [ $# = 0 ] || echo "$1" >&"${INPUT[1]}"
    read -r -t 20 reply <&"${INPUT[0]}" && [ "$reply" = ok ] ||
        fail "input: ${reply:-no answer} to '${1:-}' $(<"$workdir/input.log")"
}
start_sway 1024 768
# One virtual keyboard for the whole run: each one that comes or goes makes Qt warn.
coproc INPUT { exec "${run_as[@]}" "$client" 2>"$workdir/input.log"; }
pids+=("$INPUT_PID") && input
# Sway scales a running game's output: the game starts once.
launch() { set_scale "$scale" && { [ -n "$game_pid" ] || start_game QT_QPA_PLATFORM=wayland "${run_as[@]}"; }; }
# A window counts once it has its title bar, a moment after it first shows.
rect() { as_user swaymsg -t get_tree | jq -r --arg t "$1" --argjson pid "$game_pid" --argjson s "$scale" 'first(.. |
    objects | select(.pid? == $pid and .name? == $t and .deco_rect.height > 0)) | [.rect.x + .window_rect.x,
    .rect.y + .window_rect.y, .window_rect.width, .window_rect.height] | map(. * $s | floor) | @sh'; }
on() { as_user swaymsg "[pid=$game_pid title=\"^$1\$\"] ${*:2}" >/dev/null; }
place() { on "$1" move position $(($2 * 100 / pct)) $(($3 * 100 / pct)); }
focus() { on "$1" focus; }
pointer() { input "m $1 $2 $((output_size[0] * pct / 100)) $((output_size[1] * pct / 100))"; }
button() { input "b ${state[$1]}"; }
key() { if [ "$1" = tap ]; then key down "$2" && key up "$2"; else input "k ${code[$2]} ${state[$1]}"; fi; }
