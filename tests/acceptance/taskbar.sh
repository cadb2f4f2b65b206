#!/usr/bin/env bash
# The desktop's taskbar lists the program once: by its main window, titled with the program's
# name and the title text. The other skinned windows are tool windows of the main one.
source "$(dirname "$0")/desktop.sh"
# wm_state ID: the window's _NET_WM_STATE as xprop prints it.
wm_state() {
  xprop -id "$1" _NET_WM_STATE
}

# taskbar_entries: the program's managed windows that a taskbar lists, one X id a line.
taskbar_entries() {
  local id
  for id in $(xprop -root _NET_CLIENT_LIST | sed 's/.*#//; s/,/ /g'); do
    if [ "$(xprop -id "$id" _NET_WM_PID | sed 's/.*= //')" = "$PLAYER_PID" ] &&
      ! wm_state "$id" | grep -q _NET_WM_STATE_SKIP_TASKBAR; then
      echo "$id"
    fi
  done
}

desktop_start
player_start
wait_until 20 windows_shown 3 || fail "the three windows did not show"
shot windows

entries=$(taskbar_entries)
[ "$(echo "$entries" | grep -c .)" -eq 1 ] || fail "taskbar entries: $(echo "$entries" | xargs)"
main=$((entries))
title=$(xprop -id "$main" _NET_WM_NAME)
echo "$title" | grep -Fq '"Zephonic Ready"' || fail "the taskbar entry is titled: $title"
for id in $(player_windows); do
  [ "$((id))" -eq "$main" ] && continue
  name=$(xprop -id "$id" _NET_WM_NAME)
  wm_state "$id" | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "$name is on the taskbar"
done
for name in Playlist "Media controls"; do
  id=$(player_window "^$name\$")
  xprop -id "$id" WM_TRANSIENT_FOR | grep -q "window id # $(printf "0x%x" "$main")$" ||
    fail "$name is not a tool window of the main window"
done
wmctrl -l | grep -q "Zephonic Ready" || fail "the window manager does not list the main window"
player_stop

# Tray only: with a tray on the desktop the program sits in it and has no taskbar entry at all.
trayer --edge top --align right --widthtype pixel --width 60 --height 20 >/dev/null 2>&1 &
tray=$!
trap 'kill $tray 2>/dev/null || true; desktop_cleanup' EXIT
wait_until 10 xdotool search --class trayer || fail "the tray did not start"
settings 'ShowZephonicIn [ 1 ]' 'NewsWindowOnStartUp [ FALSE ]'
player_start
wait_until 20 windows_shown 3 || fail "the three windows did not show in tray-only mode"
sleep 0.5
shot tray-only
entries=$(taskbar_entries)
[ -z "$entries" ] || fail "tray-only mode left taskbar entries: $(echo "$entries" | xargs)"
player_stop
