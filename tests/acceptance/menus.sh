#!/usr/bin/env bash
# The right mouse button on the main window, and on the playlist window's caption bar, opens the
# main popup menu. Chosen from the playlist's caption, its last entry closes the program.
source "$(dirname "$0")/desktop.sh"
# The built-in skin: main window at 0 0, playlist window right of it at 300 0, caption bar 11 high.
MAIN_FACE=(150 50)
PLAYLIST_CAPTION=(400 5)

# popup_at X Y: right-clicks there and prints the X id of the menu that opened.
popup_at() {
  local before
  before=$(player_windows | sort)
  xdotool mousemove "$1" "$2" click 3
  wait_until 5 windows_shown $(($(echo "$before" | wc -l) + 1)) ||
    fail "a right click at $1 $2 opened nothing"
  comm -13 <(echo "$before") <(player_windows | sort)
}

menu_size() {
  xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'
}

desktop_start
player_start
wait_until 20 windows_shown 3 || fail "the three windows did not show"
menu=$(popup_at "${MAIN_FACE[@]}")
main_menu_size=$(menu_size "$menu")
shot main-menu
xdotool key Escape
wait_until 5 sh -c "! xdotool search --onlyvisible --pid $PLAYER_PID | grep -qx $menu" ||
  fail "Escape left the menu open"

menu=$(popup_at "${PLAYLIST_CAPTION[@]}")
[ "$(menu_size "$menu")" = "$main_menu_size" ] ||
  fail "the caption's menu is $(menu_size "$menu"), the main menu $main_menu_size"
shot playlist-caption-menu
# The last entry of the main menu is "Close".
xdotool key Up Return
status=0
wait_until 10 sh -c "! kill -0 $PLAYER_PID" || fail "\"Close\" did not end the program"
wait "$PLAYER_PID" || status=$?
PLAYER_PID=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
grep -q "ZKill complete" "${PLAYER_HOME}zephonic.log" || fail "ZKill did not complete"
