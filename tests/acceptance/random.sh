#!/usr/bin/env bash
# Two minutes of random clicks, drags, double-clicks, right-clicks, wheel turns and keys over the
# program's own windows, with a sound file, a video and a stream in the playlist. The program must
# not crash or hang; when the input happens to close it, it must have shut down whole, and it is
# started again. RANDOM_SECONDS and RANDOM_SEED change the run.
source "$(dirname "$0")/desktop.sh"
seconds=${RANDOM_SECONDS:-120}
RANDOM=${RANDOM_SEED:-$$}

tone "$MEDIA/tone.mp3" 20
ffmpeg -loglevel error -y -f lavfi -i testsrc=size=320x240:rate=25:duration=20 \
  -f lavfi -i sine=frequency=330:duration=20 -shortest "$MEDIA/clip.mkv"
tone "$MEDIA/stream.mp3" 60 550
stream_port=$((20000 + RANDOM % 20000))
(cd "$MEDIA" && exec python3 -m http.server "$stream_port" --bind 127.0.0.1 >/dev/null 2>&1) &
server_pid=$!
trap 'kill $server_pid 2>/dev/null || true; desktop_cleanup' EXIT
media=("$MEDIA/tone.mp3" "$MEDIA/clip.mkv" "http://127.0.0.1:$stream_port/stream.mp3")

# Starts the program and gives it the three items, as a person adds them after a start.
start_with_media() {
  player_start "${media[0]}"
  for item in "${media[@]:1}"; do
    hand_over /add "$item" || fail "the running program did not take \"$item\""
  done
}

# A random point inside a random shown window of the program, away from its close button.
random_point() {
  local windows geometry x y w h px py
  mapfile -t windows < <(player_windows 2>/dev/null || true)
  [ ${#windows[@]} -gt 0 ] || return 1
  geometry=$(xdotool getwindowgeometry --shell "${windows[RANDOM % ${#windows[@]}]}" 2>/dev/null) ||
    return 1
  eval "$(grep -E '^(X|Y|WIDTH|HEIGHT)=' <<<"$geometry")"
  x=$X y=$Y w=$WIDTH h=$HEIGHT
  [ "$w" -gt 2 ] && [ "$h" -gt 2 ] || return 1
  px=$((RANDOM % w)) py=$((RANDOM % h))
  if [ "$py" -lt 16 ] && [ "$px" -gt $((w - 40)) ]; then
    return 1
  fi
  echo "$((x + px)) $((y + py))"
}

keys=(space Return Escape Left Right Up Down Home End Prior Next Tab Delete plus minus
  a b c d e f g h i j k l m n o p q r s t u v w x y z 1 2 3 4 5 6 7 8 9 0
  ctrl+a ctrl+c ctrl+f ctrl+p shift+Up shift+Down ctrl+Left ctrl+Right alt+Return F1 F5)

# When the input has hidden every window, a click on the taskbar entry brings them back; when
# even that fails (the main window itself switched off), the program is closed and started anew.
bring_back() {
  local entry
  entry=$(xdotool search --all --pid "$PLAYER_PID" --name '^Zephonic' 2>/dev/null | head -n 1)
  if [ -n "$entry" ]; then
    wmctrl -i -a "$entry" 2>/dev/null || true
    if wait_until 3 player_windows; then
      returns=$((returns + 1))
      return 0
    fi
  fi
  player_stop
  start_again
}

start_again() {
  restarts=$((restarts + 1))
  mv "${PLAYER_HOME}zephonic.log" "${PLAYER_HOME}zephonic-$restarts.log"
  start_with_media
}

# One random action at a random place of a shown window: status 1 when no window is shown, 2 when
# the place drawn was one to keep away from.
random_event() {
  local point
  player_windows >/dev/null 2>&1 || return 1
  point=$(random_point) || return 2
  # shellcheck disable=SC2086
  xdotool mousemove $point
  case $((RANDOM % 8)) in
    0 | 1) xdotool click 1 ;;
    2) xdotool click --repeat 2 --delay 80 1 ;;
    3) xdotool click 3 ;;
    4)
      local to
      to=$(random_point) || to=$point
      # shellcheck disable=SC2086
      xdotool mousedown 1 mousemove --sync $to mouseup 1
      ;;
    5) xdotool click $((4 + RANDOM % 2)) ;;
    *) xdotool key --clearmodifiers "${keys[RANDOM % ${#keys[@]}]}" ;;
  esac
}

# The program ended by itself: by the input (a normal end, started again) or by a fault.
program_ended() {
  local status=0
  wait "$PLAYER_PID" || status=$?
  PLAYER_PID=""
  [ "$status" -eq 0 ] || fail "the program died with status $status under random input"
  grep -q "ZKill complete" "${PLAYER_HOME}zephonic.log" ||
    fail "the program ended without ZKill completing"
}

desktop_start
start_with_media
events=0
restarts=0
returns=0
next_check=$((SECONDS + 10))
end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
  if ! kill -0 "$PLAYER_PID" 2>/dev/null; then
    program_ended
    start_again
  fi
  status=0
  random_event || status=$?
  case $status in
    0) events=$((events + 1)) ;;
    1) bring_back ;;
  esac
  if [ "$SECONDS" -ge "$next_check" ]; then
    next_check=$((SECONDS + 10))
    if kill -0 "$PLAYER_PID" 2>/dev/null && ! hand_over; then
      kill -0 "$PLAYER_PID" 2>/dev/null && { shot hung; fail "the program stopped answering"; }
    fi
  fi
done
shot last
echo "random input: $events events, $restarts restarts, $returns times brought back from the taskbar"
kill -0 "$PLAYER_PID" 2>/dev/null || program_ended
[ -z "$PLAYER_PID" ] || player_stop
