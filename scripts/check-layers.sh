#!/usr/bin/env bash
# Keeps the floors of the house: an include of src/ may point to its own floor or one below it,
# never above, and hookdll/ includes nothing of src/. Prints file, line and both floors of every
# include that climbs, and exits 1 if there is one.
#   check-layers.sh [ROOT]   (ROOT: the source tree, by default the one this script is in)
set -euo pipefail
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root"

# Every folder below src/ and its floor; a file takes the floor of the longest folder that holds
# it. A new folder needs a line here.
floors=(
  base 0
  components 1
  skin 2 lang 2 hotkeys 2
  config 3
  playlist 4 vis 4
  playback 5
  desktop 6
  ui 7 playlist/window 7 config/dialog 7 config/pages 7 hotkeys/dispatch 7
  app 8
)

# Sets `floor` to the floor of a path below src/, or to nothing when no folder of the table holds
# it.
floor_of() {
  local path=$1 best="" i folder
  floor=""
  for ((i = 0; i < ${#floors[@]}; i += 2)); do
    folder=${floors[i]}
    if [[ $path == "$folder"/* && ${#folder} -gt ${#best} ]]; then
      best=$folder
      floor=${floors[i + 1]}
    fi
  done
}

# Sets `target` to the file an include of a file points to, as a path from the root: beside the
# file first, then below src/, then below hookdll/. Nothing for a file not in the tree (generated).
resolve() {
  local from_dir=$1 name=$2 candidate
  target=""
  for candidate in "$from_dir/$name" "src/$name" "hookdll/$name"; do
    if [[ -f $candidate ]]; then
      fold_path "$candidate"
      return
    fi
  done
}

# Sets `target` to a relative path without "." and "dir/.." steps, as the table names files.
fold_path() {
  local part parts=()
  local IFS=/
  for part in $1; do
    if [[ $part == ".." && ${#parts[@]} -gt 0 && ${parts[-1]} != ".." ]]; then
      unset 'parts[-1]'
    elif [[ $part != "." && -n $part ]]; then
      parts+=("$part")
    fi
  done
  target="${parts[*]}"
}

status=0
fail() {
  echo "$1" >&2
  status=1
}

declare -A file_floor
while IFS= read -r -d '' file; do
  if [[ $file == src/* ]]; then
    floor_of "${file#src/}"
    if [[ -z $floor ]]; then
      fail "$file: its folder has no floor; give it one in scripts/check-layers.sh"
      continue
    fi
    file_floor[$file]=$floor
  fi
done < <(find src hookdll -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) -print0)

while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  [[ ${rest#*:} =~ \"([^\"]+)\" ]]
  resolve "${file%/*}" "${BASH_REMATCH[1]}"
  if [[ -z $target ]]; then
    continue
  fi
  if [[ $file == hookdll/* ]]; then
    if [[ $target == src/* ]]; then
      fail "$file:$line: includes $target; hookdll stands apart and includes nothing of src"
    fi
    continue
  fi
  from=${file_floor[$file]:-}
  to=${file_floor[$target]:-}
  if [[ -n $from && -n $to && $to -gt $from ]]; then
    fail "$file:$line: includes $target, climbing from floor $from to floor $to"
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' src hookdll \
  --include='*.h' --include='*.cpp' --include='*.c')

if [[ $status -eq 0 ]]; then
  echo "Every include of src/ and hookdll/ keeps to its floor."
fi
exit "$status"
