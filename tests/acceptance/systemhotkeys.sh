#!/usr/bin/env bash
# A system-wide hotkey while another program has the keyboard: Ctrl+Alt+F9 bound to "Next"
# moves the playlist on with every press, however often it is pressed.
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/hotkeyfile.bash"

PRESSES=6
: >"$MEDIA/list.m3u"
for ((i = 0; i <= PRESSES; i++)); do
  tone "$MEDIA/tone$i.wav" 30 $((300 + 50 * i))
  echo "$MEDIA/tone$i.wav" >>"$MEDIA/list.m3u"
done
# Ctrl+Alt+F9 (120 with Alt and Ctrl), system-wide, "Next".
hotkeys "120 6 1 1"

desktop_start
player_start "$MEDIA/list.m3u"
wait_for_plays 1

# Another program takes the keyboard.
xmessage -name zephonic-other "Another program" 2>/dev/null &
OTHER_PID=$!
trap 'kill "$OTHER_PID" 2>/dev/null || true; desktop_cleanup' EXIT
other_window() {
  xdotool search --onlyvisible --classname '^zephonic-other$' | head -n 1 | grep .
}
wait_until 10 other_window || fail "xmessage did not show"
OTHER=$(other_window)
xdotool windowactivate --sync "$OTHER"
[ "$(xdotool getwindowfocus)" = "$OTHER" ] || fail "the other program did not get the keyboard"

for ((press = 1; press <= PRESSES; press++)); do
  xdotool key ctrl+alt+F9
  sleep 1.5
done
wait_for_plays $((PRESSES + 1))
shot pressed
[ "$(plays)" -eq $((PRESSES + 1)) ] || fail "$PRESSES presses started $(($(plays) - 1)) items"
log_has "FileName: $MEDIA/tone$PRESSES.wav" || fail "the last press did not reach the last item"
kill "$OTHER_PID"
player_stop
