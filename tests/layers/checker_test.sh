#!/usr/bin/env bash
# Gives the layer check small trees of its own: one that keeps its floors and one with each kind
# of fault, and checks what it says of them.
set -euo pipefail
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
expect() {
  local what=$1 want_status=$2 want_text=$3 status=0 output
  output=$("$check" "$work/tree" 2>&1) || status=$?
  if [[ $status -ne $want_status || $output != *"$want_text"* ]]; then
    echo "FAILED: $what: exit $status, said:" >&2
    echo "$output" >&2
    failures=$((failures + 1))
  fi
}

put() {
  mkdir -p "$(dirname "$work/tree/$1")"
  printf '%s\n' "${@:2}" >"$work/tree/$1"
}

# Includes beside the file, below src/, down a floor and on the same floor, and of hookdll.
put src/base/log.h '#pragma once'
put src/base/text/codec.h '#include "base/log.h"'
put src/playlist/list.h '#include "base/text/codec.h"' '#include "zhook.h"'
put src/playlist/list.cpp '#include "list.h"' '#include "vis/bars.h"'
put src/vis/bars.h '#include "playlist/list.h"'
put src/playlist/window/listwindow.cpp '#include "playlist/list.h"' '#include "desktop/entry.h"'
put src/desktop/entry.h '#include "playlist/list.h"'
put hookdll/zhook.h '#pragma once'
expect "a tree that keeps its floors" 0 "keeps to its floor"

put src/playlist/list.cpp '#include "list.h"' '#include "playlist/window/listwindow.cpp"'
expect "a climb into a window folder (longest folder wins)" 1 \
  "src/playlist/list.cpp:2: includes src/playlist/window/listwindow.cpp, climbing from floor 4 to floor 7"
put src/playlist/list.cpp '#include "list.h"'

put src/base/text/codec.h '#include "../log.h"' '#include "../../desktop/entry.h"'
expect "a climb by a relative path" 1 \
  "src/base/text/codec.h:2: includes src/desktop/entry.h, climbing from floor 0 to floor 6"
put src/base/text/codec.h '#include "base/log.h"'

put hookdll/zhook.h '#include "base/log.h"'
expect "hookdll reaching into src" 1 "hookdll/zhook.h:1: includes src/base/log.h; hookdll stands apart"
put hookdll/zhook.h '#pragma once'

put src/newfolder/thing.h '#pragma once'
expect "a folder without a floor" 1 "src/newfolder/thing.h: its folder has no floor"

if [[ $failures -ne 0 ]]; then
  exit 1
fi
echo "The layer check passes a tree that keeps its floors and names every climbing include."
