# The desktop a person sits at, for the acceptance scenarios: Xvfb, openbox, the built program in
# a program folder of its own, the mouse and keys through xdotool, the screen through ffmpeg.
# A scenario sources this file; its arguments are the program and the folder for screenshots:
#   source desktop.sh; desktop_start; player_start; ...; player_stop
set -euo pipefail

ZEPHONIC_EXE=$1
SHOTS="$2/$(basename "$0" .sh)"
mkdir -p "$SHOTS"
SCRATCH=$(mktemp -d)
PLAYER_HOME=$SCRATCH/home/
MEDIA=$SCRATCH/media
mkdir -p "$PLAYER_HOME" "$MEDIA" "$SCRATCH/run"
chmod 700 "$SCRATCH/run"
PLAYER_PID=""
XVFB_PID=""
WM_PID=""
SCREEN_SIZE=${SCREEN_SIZE:-1024x768}

fail() {
  echo "FAIL: $*" >&2
  if [ -f "${PLAYER_HOME}zephonic.log" ]; then
    echo "--- last lines of the program's log:" >&2
    tail -n 30 "${PLAYER_HOME}zephonic.log" >&2
  fi
  exit 1
}

desktop_cleanup() {
  for pid in $PLAYER_PID $WM_PID $XVFB_PID; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$SCRATCH"
}
trap desktop_cleanup EXIT

# wait_until SECONDS COMMAND...: true as soon as the command succeeds, false after SECONDS.
wait_until() {
  local limit=$(($1 * 10))
  shift
  for ((i = 0; i < limit; i++)); do
    if "$@" >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}

desktop_start() {
  Xvfb -displayfd 1 -nolisten tcp -screen 0 "${SCREEN_SIZE}x24" >"$SCRATCH/display" 2>/dev/null &
  XVFB_PID=$!
  wait_until 20 grep -q . "$SCRATCH/display" || fail "Xvfb gave no display number"
  export DISPLAY=":$(head -n 1 "$SCRATCH/display")"
  XDG_CONFIG_HOME=$SCRATCH/wmconfig openbox >/dev/null 2>&1 &
  WM_PID=$!
  wait_until 20 wmctrl -m || fail "openbox did not take the screen"
}

# The program's environment: its folder, no dialogs for errors, the desktop's folders and browser
# kept inside the scratch folder. A scenario may set SDL_AUDIODRIVER and SDL_DISKAUDIOFILE.
player_environment() {
  PLAYER_ENV=(QT_QPA_PLATFORM=xcb ZEPHONIC_HOME="$PLAYER_HOME" ZEPHONIC_REPORT=stderr
    XDG_RUNTIME_DIR="$SCRATCH/run" XDG_DATA_HOME="$SCRATCH/xdg/data"
    XDG_CONFIG_HOME="$SCRATCH/xdg/config" XDG_CACHE_HOME="$SCRATCH/xdg/cache" BROWSER=true
    SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" SDL_DISKAUDIOFILE="${SDL_DISKAUDIOFILE:-}")
}

# player_start [ARGUMENTS...]: starts the program and waits until its main window is shown.
player_start() {
  player_environment
  env "${PLAYER_ENV[@]}" "$ZEPHONIC_EXE" "$@" 2>>"$SCRATCH/player.err" &
  PLAYER_PID=$!
  wait_until 30 player_windows || fail "no window of the program was shown"
}

# hand_over [ARGUMENTS...]: a second start, which hands its arguments to the running program and
# ends; it fails when the running program does not answer within 20 s.
hand_over() {
  player_environment
  timeout 20 env "${PLAYER_ENV[@]}" "$ZEPHONIC_EXE" "$@" 2>>"$SCRATCH/handover.err"
}

# The program's shown top-level windows, one X id a line.
player_windows() {
  xdotool search --onlyvisible --pid "$PLAYER_PID"
}

shown_count() {
  player_windows | wc -l
}

# windows_shown N: at least N windows of the program are shown.
windows_shown() {
  [ "$(shown_count)" -ge "$1" ]
}

# player_window NAME: the shown window of the program whose title matches the pattern NAME.
player_window() {
  xdotool search --all --onlyvisible --pid "$PLAYER_PID" --name "$1" 2>/dev/null | head -n 1 || true
}

# settings LINE...: the configuration file the program finds at its start, one key a line.
settings() {
  mkdir -p "${PLAYER_HOME}data"
  printf '%s\r\n' "$@" >"${PLAYER_HOME}data/config.zcfg"
}

# log_has LINE: the program's log holds LINE (its indentation aside).
log_has() {
  sed 's/^[[:space:]]*//; s/\r$//' "${PLAYER_HOME}zephonic.log" 2>/dev/null | grep -Fqx -- "$1"
}

wait_for_log() {
  wait_until "${2:-20}" log_has "$1" || fail "the log never said \"$1\""
}

# shot NAME: the whole screen as NAME.png in the screenshot folder.
shot() {
  ffmpeg -loglevel error -y -f x11grab -video_size "$SCREEN_SIZE" -i "$DISPLAY" -frames:v 1 \
    "$SHOTS/$1.png"
}

# tone FILE SECONDS [FREQUENCY]: a sine, encoded by the file's extension.
tone() {
  ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=${3:-440}:duration=$2" "$1"
}

# player_stop: closes the program as the desktop does (SIGTERM) and checks that it shut down whole.
player_stop() {
  kill -TERM "$PLAYER_PID"
  local status=0
  wait "$PLAYER_PID" || status=$?
  PLAYER_PID=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
  log_has "ZKill..." || fail "the program ended without ZKill"
  grep -q "ZKill complete" "${PLAYER_HOME}zephonic.log" || fail "ZKill did not complete"
}
