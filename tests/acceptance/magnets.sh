#!/usr/bin/env bash
# Windows dragged by their caption bars with the mouse snap to the screen's edges and to the main
# window within 15 pixels; windows docked to the main window move with it.
source "$(dirname "$0")/desktop.sh"
position() {
  xdotool getwindowgeometry "$1" | sed -n 's/ *Position: \([0-9]*,[0-9]*\).*/\1/p'
}

at_position() {
  [ "$(position "$1")" = "$2" ]
}

# expect_at ID X,Y WHAT
expect_at() {
  wait_until 3 at_position "$1" "$2" || fail "$3 is at $(position "$1"), not at $2"
}

# drag X1 Y1 X2 Y2: the left button held from one point to the other, through the middle.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2))
  sleep 0.2
  xdotool mousemove "$3" "$4"
  sleep 0.3
  xdotool mouseup 1
  sleep 0.3
}

settings 'MediaConVis [ FALSE ]' 'NewsWindowOnStartUp [ FALSE ]'
desktop_start
player_start
wait_until 20 windows_shown 2 || fail "main and playlist windows did not show"
main=$(player_window '^Zephonic ')
playlist=$(player_window '^Playlist$')
expect_at "$main" 0,0 "the main window"
expect_at "$playlist" 300,0 "the playlist window"

# The playlist window lies against the main window's right edge and follows it.
drag 100 5 200 155
expect_at "$main" 100,150 "the dragged main window"
expect_at "$playlist" 400,150 "the playlist window glued to the main window"
shot glued

# Far from everything nothing snaps, and the main window stays.
drag 500 155 700 405
expect_at "$playlist" 600,400 "the playlist window dragged into the open"
expect_at "$main" 100,150 "the main window"

# Dropped 10 px right of the main window and 13 px below its top: back against it.
drag 700 405 510 168
expect_at "$playlist" 400,150 "the playlist window dropped near the main window"
shot snapped-to-main

# Dropped 10 px short of the screen's right edge.
drag 500 155 814 455
expect_at "$playlist" 724,450 "the playlist window dropped near the screen's edge"
shot snapped-to-edge
player_stop
