#!/usr/bin/env bash
# A caption bar shows its active picture while its window has the focus, the others their
# inactive one.
source "$(dirname "$0")/desktop.sh"
# The built-in skin: the main window's caption bar (212 x 11 at 44 0 on the window at 0 0) and the
# playlist window's (at 0 0 on the window at 300 0).
MAIN_CAPTION=212:11:44:0
PLAYLIST_CAPTION=212:11:300:0

# caption SHOT AREA: a fingerprint of the screen area (w:h:x:y) in a screenshot.
caption() {
  ffmpeg -loglevel error -i "$SHOTS/$1.png" -vf "crop=$2" -f rawvideo -pix_fmt rgb24 - | md5sum
}

settings 'NewsWindowOnStartUp [ FALSE ]'
desktop_start
player_start
wait_until 20 windows_shown 3 || fail "the three windows did not show"

# The pointer leaves the captions before each shot, which draws it.
xdotool mousemove 150 5 click 1 mousemove 600 600
sleep 0.5
shot main-active
xdotool mousemove 400 5 click 1 mousemove 600 600
sleep 0.5
shot playlist-active

[ "$(caption main-active $MAIN_CAPTION)" != "$(caption playlist-active $MAIN_CAPTION)" ] ||
  fail "the main window's caption looks the same with and without the focus"
[ "$(caption main-active $PLAYLIST_CAPTION)" != "$(caption playlist-active $PLAYLIST_CAPTION)" ] ||
  fail "the playlist window's caption looks the same with and without the focus"
player_stop
