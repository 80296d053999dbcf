#!/usr/bin/env bash
# Every C++ file of the project as the repository's .clang-format lays it out.
# With --fix, the files are rewritten in place instead of checked.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/qel-format.txt; then
  grep -E '^[^ ].*: (error|warning):' /tmp/qel-format.txt | cut -d: -f1 | sort -u |
    sed 's/^/not formatted: /'
  echo "Run scripts/check-format.sh --fix to lay the files out as .clang-format says."
  exit 1
fi
echo "Formatting: every C++ file as .clang-format lays it out."
