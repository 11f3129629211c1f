#!/usr/bin/env bash
# The built program on a real X server, played with real pointer input: the opening position on
# screen, a legal drag (and the dragged marble's cell showing its hole mid-drag), a refused
# drag, a drag released outside the window, a drag whose release a menu took, and a Ctrl-press
# that undoes.
# Usage: play.sh PATH-TO-GAME
source "$(dirname "$0")/lib.sh"
game=$1

start_xvfb
start_game "$game"
board_origin

[ "$(xdotool getwindowname "$wid")" = "Tavlin Solitaire" ] || fail "window title"

start='  ooo  
  ooo  
ooooooo
ooo.ooo
ooooooo
  ooo  
  ooo  '
expect_board "$start" "starting position: 32 marbles, the centre a hole"

# Mid-drag the marble has left its cell, which shows its hole.
xdotool mousemove "$(cell_x 10)" "$(cell_y 10)"; sleep 0.1
xdotool mousedown 1; sleep 0.1
xdotool mousemove "$(cell_x 17)" "$(cell_y 17)"; sleep 0.3
expect_board '  ooo  
  o.o  
ooooooo
ooo.ooo
ooooooo
  ooo  
  ooo  ' "mid-drag: cell 10 shows its hole"
xdotool mousemove "$(cell_x 24)" "$(cell_y 24)"; sleep 0.1
xdotool mouseup 1; sleep 0.3
after_first='  ooo  
  o.o  
ooo.ooo
ooooooo
ooooooo
  ooo  
  ooo  '
expect_board "$after_first" "10 -> 24 jumped over 17"

drag_cell 16 18
expect_board "$after_first" "16 -> 18 onto a marble is refused"

drag_cell 31 17
after_second='  ooo  
  o.o  
ooooooo
ooo.ooo
ooo.ooo
  ooo  
  ooo  '
expect_board "$after_second" "31 -> 17 jumped over 24"

# Released outside the window, the marble is back in its cell at once.
xdotool mousemove "$(cell_x 26)" "$(cell_y 26)"; sleep 0.1
xdotool mousedown 1; sleep 0.1
xdotool mousemove $((board_x + 500)) $((board_y + 150)); sleep 0.2
xdotool mouseup 1; sleep 0.3
expect_board "$after_second" "drag released outside the window changes nothing"

# A menu opened from the keyboard mid-drag takes the release: the drag ends there, and the
# pointer passing over the hole afterwards makes no jump.
xdotool windowfocus --sync "$wid"
xdotool mousemove "$(cell_x 26)" "$(cell_y 26)"; sleep 0.1
xdotool mousedown 1; sleep 0.1
xdotool mousemove "$(cell_x 25)" "$(cell_y 25)"; sleep 0.2
xdotool key alt+g; sleep 0.3
xdotool mouseup 1; sleep 0.2
xdotool key Escape; sleep 0.2
xdotool mousemove "$(cell_x 24)" "$(cell_y 24)"; sleep 0.3
expect_board "$after_second" "a release lost to the Game menu makes no jump"

xdotool mousemove $((board_x + 8)) $((board_y + 8)); sleep 0.1
xdotool keydown ctrl click 1 keyup ctrl; sleep 0.3
expect_board "$after_first" "Ctrl-press on the background undoes"

kill -0 "$game_pid" || fail "the game died"
echo "passed"
