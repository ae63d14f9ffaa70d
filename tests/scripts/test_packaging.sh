#!/usr/bin/env bash
# The desktop entry and the project file type are valid for the desktop.
set -u
dir="$(dirname "$0")/../../packaging"
passed=0 failed=0
if out=$(desktop-file-validate "$dir/vendrel-korbel.desktop" 2>&1) && [ -z "$out" ]; then passed=$((passed + 1)); else
  failed=$((failed + 1)); echo "FAIL: desktop entry: $out"; fi
if grep -q '<glob pattern="\*.vdk"/>' "$dir/vendrel-korbel.xml" && grep -q '^MimeType=application/x-vendrel-korbel;$' "$dir/vendrel-korbel.desktop"; then
  passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: the .vdk type and the entry do not match"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
