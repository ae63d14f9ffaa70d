#!/usr/bin/env bash
# Includes run one way: the core and the mesher helper never include the Qt
# front, the model includes nothing of the layers above it (the texts'
# translation, core/text, lies below every layer), and no two folders
# include each other.
set -u
src="$(dirname "$0")/../../src"
passed=0 failed=0
check() {  # check NAME OFFENDING-LINES
  if [ -z "$2" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); printf 'FAIL: %s\n%s\n' "$1" "$2"; fi
}
# "folder included-folder" for every include across folders; a folder is
# core/<subsystem>, front/<subsystem>, mesher, reader or factor.
edges=$(cd "$src" && grep -rH '^#include "' --include='*.h' --include='*.cpp' . |
  sed -E 's#^\./(core/[a-z]+|front/[a-z]+|mesher|reader|factor)/[^:]*:\#include "(core/[a-z]+|front/[a-z]+|mesher|reader|factor)/.*#\1 \2#;t;d' |
  awk '$1 != $2' | sort -u)
check "the core or a helper includes the Qt front" "$(grep -E '^(core|mesher|reader|factor)[^ ]* front/' <<<"$edges")"
check "the model includes a layer above it" "$(grep -E '^core/model ' <<<"$edges" | grep -v ' core/text$')"
check "folders that include each other" "$(awk '{ seen[$1 " " $2] = 1 } END { for (e in seen) { split(e, p, " ");
  if ((p[2] " " p[1]) in seen && p[1] < p[2]) print e } }' <<<"$edges")"
check "an include that names no known folder" "$(cd "$src" && grep -rhE '^#include "' --include='*.h' --include='*.cpp' . |
  grep -vE '^#include "(core/[a-z]+|front/[a-z]+|mesher|reader|factor)/[A-Za-z_]+\.h"')"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
