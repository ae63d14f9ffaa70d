#!/usr/bin/env bash
# The non-free source is copied from the machine's own source of the main
# component, in either of apt's forms; made-up mirrors stand for the real one.
set -u
script="$(dirname "$0")/../../scripts/non-free-sources.sh"
passed=0 failed=0
check() {  # what, expected, actual
  if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); printf 'FAIL: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"; fi
}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
mirror=file:/srv/mirror/debian
proxy=http://proxy.invalid:3142/debian

# deb822, as a fresh Debian 12 has it: main and security stanzas, a disabled
# copy, a comment, and a second file with an inline keyring.
mkdir -p "$work/a/sources.list.d" "$work/a/out"
printf 'Types: deb deb-src\n# a comment\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\nTypes: deb\nURIs: %s-security\nSuites: bookworm-security\nComponents: main\n\nTypes: deb\nEnabled: no\nURIs: %s\nSuites: bookworm\nComponents: main\n' \
  "$mirror" "$mirror" "$proxy" >"$work/a/sources.list.d/debian.sources"
printf 'Types: deb\nURIs: %s\nSuites: bookworm\nComponents: main contrib\nSigned-By:\n -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n -----END PGP PUBLIC KEY BLOCK-----\n' \
  "$proxy" >"$work/a/sources.list.d/proxy.sources"
"$script" "$work/a" bookworm "$work/a/out"
check "deb822 exit" 0 $?
check "deb822 source" "$(printf 'Types: deb\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: non-free\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\nTypes: deb\nURIs: %s\nSuites: bookworm\nComponents: non-free\nSigned-By:\n -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n -----END PGP PUBLIC KEY BLOCK-----' "$mirror" "$proxy")" \
  "$(cat "$work/a/out/vendrel-non-free.sources")"
check "deb822 writes no one-line file" "" "$(ls "$work/a/out" | grep -v '\.sources$')"

# The one-line form in sources.list, with options, comments and deb-src.
mkdir -p "$work/b/sources.list.d" "$work/b/out"
printf '# deb %s bookworm main\ndeb [signed-by=/k.gpg arch=amd64] %s bookworm main contrib # mirror\ndeb-src %s bookworm main\ndeb %s bookworm-security main\ndeb %s bullseye main\n' \
  "$proxy" "$proxy" "$proxy" "$mirror" "$mirror" >"$work/b/sources.list"
"$script" "$work/b" bookworm "$work/b/out"
check "one-line exit" 0 $?
check "one-line source" "deb [signed-by=/k.gpg arch=amd64] $proxy bookworm non-free" \
  "$(cat "$work/b/out/vendrel-non-free.list")"
check "one-line writes no deb822 file" "" "$(ls "$work/b/out" | grep -v '\.list$')"

# Nothing for the release's main component: refused, nothing written.
mkdir -p "$work/c/sources.list.d" "$work/c/out"
printf 'deb %s bullseye main\n' "$mirror" >"$work/c/sources.list"
printf 'Types: deb\nURIs: %s\nSuites: bookworm\nComponents: contrib\n' "$mirror" >"$work/c/sources.list.d/x.sources"
"$script" "$work/c" bookworm "$work/c/out" 2>/dev/null
check "no main source exit" 1 $?
check "no main source writes nothing" "" "$(ls "$work/c/out")"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
