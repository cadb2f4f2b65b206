#!/usr/bin/env bash
# A person fills the playlist through the file dialog: first with the eject button, then with
# "Add files..." of the playlist window's menu. The dialog lists media files whatever the case
# of their names, and leaves other files out.
source "$(dirname "$0")/desktop.sh"

# window_place ID: "X Y WIDTH HEIGHT" of a window on the screen.
window_place() {
  xdotool getwindowgeometry --shell "$1" |
    awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}'
}

# click_in ID X Y [BUTTON]: a click at a point of a window, relative to its top left corner.
click_in() {
  local x y w h
  read -r x y w h <<<"$(window_place "$1")"
  xdotool mousemove $((x + $2)) $((y + $3)) sleep 0.2 click "${4:-1}"
}

add_files_dialog() {
  xdotool search --onlyvisible --name '^Add files\.\.\.$' | head -n 1
}

# choose_everything SHOT: photographs what the open dialog lists, selects every listed file and
# opens them.
choose_everything() {
  local dialog x y w h
  wait_until 10 add_files_dialog || fail "no \"Add files...\" dialog opened"
  dialog=$(add_files_dialog)
  xdotool windowactivate --sync "$dialog"
  sleep 0.5
  read -r x y w h <<<"$(window_place "$dialog")"
  # The file list fills the dialog's middle, right of the places: a click gives it the focus.
  click_in "$dialog" $((w * 3 / 4)) $((h / 2))
  sleep 0.5
  shot "$1"
  # Home makes the first file the current one; the name box then holds every selected name.
  xdotool key Home ctrl+a sleep 0.3 key alt+o
  wait_until 10 bash -c "! xdotool search --onlyvisible --name '^Add files\.\.\.$'" ||
    fail "the dialog did not close"
}

# The files of the saved playlist, in their order.
playlist_files() {
  # Each record's strings are zero-padded and begin with their length.
  tr '\0' '\n' <"${PLAYER_HOME}data/default.zpl" | grep -ao "$MEDIA/.*"
}

desktop_start
mkdir -p "$MEDIA/music"
tone "$MEDIA/music/quiet.mp3" 3
tone "$MEDIA/music/LOUD.MP3" 3 660
tone "$MEDIA/music/Mixed.Wav" 3 880
echo "not music" >"$MEDIA/music/notes.txt"
# The dialog opens in the folder chosen last.
settings "LastDir [ $MEDIA/music ]"
player_start
main=$(player_window '^Zephonic ')
[ -n "$main" ] || fail "no main window"

# The eject button of the built-in skin: 21 x 17 at 139,79.
click_in "$main" 149 87
choose_everything eject-dialog
wait_until 10 grep -q "FileName: $MEDIA/music/" "${PLAYER_HOME}zephonic.log" ||
  fail "the eject button's files did not play"

# "Add files..." is the first item of the playlist window's menu, which opens at the mouse.
playlist=$(xdotool search --onlyvisible --name '^Playlist$' | head -n 1)
[ -n "$playlist" ] || fail "no playlist window"
click_in "$playlist" 150 120 3
sleep 0.5
shot playlist-menu
xdotool mousemove_relative 90 10 sleep 0.2 click 1
choose_everything add-files-dialog
player_stop

listed=$(playlist_files | LC_ALL=C sort)
expected=$(printf '%s\n' "$MEDIA/music/LOUD.MP3" "$MEDIA/music/Mixed.Wav" "$MEDIA/music/quiet.mp3")
[ "$(playlist_files | wc -l)" -eq 6 ] || fail "the playlist holds: $(playlist_files)"
[ "$(echo "$listed" | uniq)" = "$expected" ] || fail "the playlist holds: $(playlist_files)"
