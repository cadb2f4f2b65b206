#!/usr/bin/env bash
# Formats every C and C++ file of the tree by .clang-format; --check only lists the files that
# differ and fails if there is one. Needs clang-format 15 or later (InsertBraces): Debian 12's
# default clang-format is 14, so this takes clang-format-16, which install-deps.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format-16}
files=()
while IFS= read -r file; do
  # A file deleted in the work tree but not yet in the index is no longer there to format.
  if [[ -f $file ]]; then
    files+=("$file")
  fi
done < <(git ls-files '*.h' '*.c' '*.cpp')
if [[ ${1:-} == "--check" ]]; then
  status=0
  for file in "${files[@]}"; do
    if ! "$format" "$file" | cmp -s - "$file"; then
      echo "$file"
      status=1
    fi
  done
  exit "$status"
fi
"$format" -i "${files[@]}"
