#!/usr/bin/env bash
# Every tracked C++ file is as clang-format (Debian's clang-format 14) and the
# project's .clang-format lay it out.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "FAIL: clang-format is not installed (scripts/install-deps.sh test installs it)"
  exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "FAIL: git lists no C++ files in $root"
  exit 1
fi
"$format" --dry-run -Werror "${files[@]}"
echo "${#files[@]} files formatted"
