#!/usr/bin/env bash
# The program ends with its last window, not with the game window: Game > Exit with How to Play
# open leaves the program running and How to Play on screen; closing that ends the program.
# Usage: lifetime.sh PATH-TO-GAME
source "$(dirname "$0")/lib.sh"

start_xvfb
start_game "$1"

xdotool windowfocus --sync "$wid"
xdotool key alt+h; sleep 0.3
xdotool key h
help=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$game_pid" --name '^How to Play$' \
    | head -n 1) || fail "How to Play did not open"

xdotool windowfocus --sync "$wid"
xdotool key alt+g; sleep 0.3
xdotool key x; sleep 1
xdotool search --all --onlyvisible --pid "$game_pid" --name '^Tavlin Solitaire$' >/dev/null \
    && fail "Game > Exit left the game window open"
kill -0 "$game_pid" 2>/dev/null || fail "the program ended with How to Play still open"
echo "ok: How to Play outlives the game window"

xdotool windowfocus --sync "$help"
xdotool key Escape
await_exit "$game_pid" 5 "the program did not end with its last window"
wait "$game_pid" || fail "the program ended with status $?"
echo "ok: the program ended with its last window"
