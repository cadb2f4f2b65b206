#!/usr/bin/env bash
# Fullscreen video under a window manager. The user double-clicks the picture, works the player
# by its local hotkeys while the picture fills the screen (Shift + a digit among them) and leaves
# with Alt+Return. The control strip that the pointer calls up floats above the picture, belongs
# to it and leaves the keyboard where it was; its title stands still.
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/hotkeyfile.bash"

# clip FILE SECONDS: a test picture with a tone.
clip() {
  ffmpeg -loglevel error -y -f lavfi -i "testsrc=size=320x240:rate=25:duration=$2" \
    -f lavfi -i "sine=frequency=440:duration=$2" -c:v libtheora -q:v 5 -c:a libvorbis "$1"
}

# The shown window of the program whose name is exactly NAME.
shown_window() {
  local window
  window=$(player_window "^$1\$")
  [ -n "$window" ] && echo "$window"
}

is_fullscreen() {
  xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN
}

form_gone() {
  ! shown_window "Zephonic Video"
}

fullscreen_form() {
  local form
  form=$(shown_window "Zephonic Video") && is_fullscreen "$form" && echo "$form"
}

# The pointer moves over the picture towards (X, Y), where it rests.
move_pointer_to() {
  xdotool mousemove 500 300 sleep 0.2 mousemove 520 320 sleep 0.2 mousemove "$1" "$2"
}

# A checksum of the pixels of the screen's rectangle W x H at X, Y.
pixels() {
  ffmpeg -loglevel error -f x11grab -video_size "$3x$4" -i "$DISPLAY+$1,$2" -frames:v 1 -f md5 -
}

NAME=a-clip-whose-name-is-far-too-long-for-the-title-of-the-fullscreen-controls-to-show
clip "$MEDIA/$NAME.mkv" 30
clip "$MEDIA/second.mkv" 30
clip "$MEDIA/third.mkv" 30
printf '%s\n' "$MEDIA/$NAME.mkv" "$MEDIA/second.mkv" "$MEDIA/third.mkv" >"$MEDIA/list.m3u"
# B: Next; Shift+1: Next; Alt+Return: Toggle fullscreen.
hotkeys "66 0 1 0" "49 1 1 0" "13 2 12 0"

desktop_start
player_start "$MEDIA/list.m3u"
wait_for_log "PlaylistIndex: [0]"
wait_until 20 shown_window Video || fail "the video window was not shown"
VIDEO=$(shown_window Video)

# The user double-clicks the picture.
eval "$(xdotool getwindowgeometry --shell "$VIDEO")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat 2 --delay 80 1
wait_until 10 fullscreen_form || fail "a double-click on the picture did not go fullscreen"
FORM=$(fullscreen_form)
shot fullscreen

# The strip of the built-in skin (300 x 100) sits at the bottom middle of the 1024 x 768 screen.
move_pointer_to 512 730
wait_until 5 shown_window Zephonic_Video_Fullscreen_Control ||
  fail "moving the pointer over the picture did not show the control strip"
STRIP=$(shown_window Zephonic_Video_Fullscreen_Control)
xprop -id "$STRIP" WM_TRANSIENT_FOR | grep -qi "window id # $(printf '0x%x' "$FORM")" ||
  fail "the strip is not transient for the fullscreen picture: $(xprop -id "$STRIP" WM_TRANSIENT_FOR)"
STACKING=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep '^0x')
below=$(grep -nix "$(printf '0x%x' "$FORM")" <<<"$STACKING" | cut -d: -f1)
above=$(grep -nix "$(printf '0x%x' "$STRIP")" <<<"$STACKING" | cut -d: -f1)
[ -n "$below" ] && [ -n "$above" ] && [ "$above" -gt "$below" ] ||
  fail "the strip is not stacked above the picture: form at ${below:-?}, strip at ${above:-?}"
[ "$(xdotool getwindowfocus)" = "$FORM" ] ||
  fail "the keyboard focus is on $(xdotool getwindowfocus), not on the picture $FORM"
# The strip's title (272 x 13 at 14, 18 of the strip) does not move.
TITLE_FIRST=$(pixels 376 686 272 13)
sleep 0.6
TITLE_SECOND=$(pixels 376 686 272 13)
shot strip
[ "$TITLE_FIRST" = "$TITLE_SECOND" ] || fail "the title over fullscreen video moves"

# Local hotkeys work on the fullscreen picture.
xdotool key b
wait_for_plays 2
wait_until 10 fullscreen_form || fail "the next item did not stay fullscreen"
xdotool key shift+1
wait_for_plays 3
log_has "FileName: $MEDIA/third.mkv" || fail "Shift+1 did not reach the third item"
wait_until 10 fullscreen_form || fail "the third item did not stay fullscreen"

# Alt+Return returns to the window.
xdotool key alt+Return
wait_until 10 shown_window Video || fail "Alt+Return did not bring the video window back"
wait_until 5 form_gone ||
  fail "the fullscreen picture is still shown after Alt+Return"
shot window
player_stop
