#!/usr/bin/env bash
# A person chooses several files in a file manager and opens them with the program, then uses
# the "Add" and "Play" actions of its desktop entry: the launcher passes one file an argument.
source "$(dirname "$0")/desktop.sh"

# entry_exec GROUP: the Exec line of a group of the program's desktop entry.
entry_exec() {
  awk -v group="[$1]" '/^\[/{inside = ($0 == group)} inside && /^Exec=/{sub(/^Exec=/, ""); print}' \
    "$SCRATCH/xdg/data/applications/zephonic.desktop"
}

# launch_words GROUP FILE...: LAUNCH := the arguments the launcher gives the program for the
# files; "%F" stands for all files, one word each. The program's path needs no quoting here.
launch_words() {
  local words word
  read -ra words <<<"$(entry_exec "$1")"
  shift
  [ "${words[0]}" = "$ZEPHONIC_EXE" ] || fail "the entry runs ${words[0]}"
  LAUNCH=()
  for word in "${words[@]:1}"; do
    if [ "$word" = "%F" ]; then
      LAUNCH+=("$@")
    else
      LAUNCH+=("$word")
    fi
  done
}

# launch_running GROUP FILE...: a second start as the launcher makes it; it hands over and ends.
launch_running() {
  launch_words "$@"
  hand_over "${LAUNCH[@]}" || fail "the second start failed"
}

# launch_first GROUP FILE...: the first start as the launcher makes it.
launch_first() {
  launch_words "$@"
  player_start "${LAUNCH[@]}"
}

playlist_files() {
  # Each record's strings are zero-padded and begin with their length.
  tr '\0' '\n' <"${PLAYER_HOME}data/default.zpl" | grep -ao "$MEDIA/.*"
}

expect_playlist() {
  [ "$(playlist_files)" = "$(printf '%s\n' "$@")" ] || fail "the playlist holds: $(playlist_files)"
}

desktop_start
# The program's desktop entry, written where the program's own desktop folders are.
player_environment
env "${PLAYER_ENV[@]}" QT_QPA_PLATFORM=offscreen "$ZEPHONIC_EXE" /register || fail "/register failed"
one="$MEDIA/first song.mp3"
two="$MEDIA/Second.WAV"
three="$MEDIA/third.ogg"
tone "$one" 20
tone "$two" 20 550
tone "$three" 20 660

# Opened from the file manager: the chosen files replace the playlist, the first plays; "Add"
# on a running program appends.
launch_first "Desktop Entry" "$one" "$two"
wait_for_log "FileName: $one"
shot opened-two-files
launch_running "Desktop Action Add" "$three" "$one"
player_stop
expect_playlist "$one" "$two" "$three" "$one"

# "Play" on a running program: its files replace the playlist and the first of them plays.
player_start
launch_running "Desktop Action Play" "$three" "$two"
wait_for_log "FileName: $three"
player_stop
expect_playlist "$three" "$two"
