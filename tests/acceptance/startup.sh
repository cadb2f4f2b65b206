#!/usr/bin/env bash
# A new user starts the program on a desktop with a window manager and closes it again.
source "$(dirname "$0")/desktop.sh"
desktop_start
player_start
shot started
[ -f "${PLAYER_HOME}data/config.zcfg" ] || [ -d "${PLAYER_HOME}data" ] || fail "no data folder"
player_stop
[ -f "${PLAYER_HOME}data/config.zcfg" ] || fail "the settings were not saved"
