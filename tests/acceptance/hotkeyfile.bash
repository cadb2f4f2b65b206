# Helpers of the hotkey scenarios, sourced after desktop.sh: the program's hotkey file written
# before start, and the items the player started as its log counts them.

# le_bytes VALUE COUNT: VALUE as COUNT little-endian bytes.
le_bytes() {
  local i
  for ((i = 0; i < $2; i++)); do
    printf "\\x$(printf %02x $((($1 >> (8 * i)) & 255)))"
  done
}

# hotkeys ENTRY...: the program's hotkey table, each ENTRY "key modifiers action systemwide"
# (Windows virtual-key code; 1 Shift, 2 Alt, 4 Ctrl; action code; 1 or 0).
hotkeys() {
  mkdir -p "${PLAYER_HOME}data"
  {
    le_bytes "$#" 4
    local entry key modifiers action systemwide
    for entry in "$@"; do
      read -r key modifiers action systemwide <<<"$entry"
      le_bytes "$key" 2
      le_bytes "$modifiers" 1
      le_bytes "$action" 1
      le_bytes "$systemwide" 1
      le_bytes 0 1
    done
  } >"${PLAYER_HOME}data/hotkeys.zkeys"
}

# The items started so far: one "FileName: " line each.
plays() {
  grep -c "FileName: " "${PLAYER_HOME}zephonic.log" || true
}

played_at_least() {
  [ "$(plays)" -ge "$1" ]
}

# wait_for_plays N: fails unless N items have started within 20 s.
wait_for_plays() {
  wait_until 20 played_at_least "$1" || fail "$1 items should have started, $(plays) did"
}
