#!/usr/bin/env bash
# Minimise takes every shown window of the program off the screen; restoring it from the taskbar
# brings back exactly those, not the one that was closed before.
source "$(dirname "$0")/desktop.sh"
# The built-in skin's minimise button on the main window at 0 0.
MINIMISE_BUTTON=(272 7)

exactly_shown() {
  [ "$(shown_count)" -eq "$1" ]
}

settings 'MediaConVis [ FALSE ]' 'NewsWindowOnStartUp [ FALSE ]'
desktop_start
player_start
wait_until 20 exactly_shown 2 || fail "main and playlist windows: $(shown_count) shown"
main=$(player_window '^Zephonic ')

xdotool mousemove "${MINIMISE_BUTTON[@]}" click 1
wait_until 5 exactly_shown 0 || fail "after minimising, $(shown_count) windows are still shown"
xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN || fail "the main window is not iconic"
shot minimised

# What a click on the taskbar entry does.
wmctrl -i -a "$main"
wait_until 5 exactly_shown 2 || fail "after restoring, $(shown_count) windows are shown"
sleep 0.5
exactly_shown 2 || fail "restoring showed $(shown_count) windows, the media controls among them"
shot restored
player_stop
