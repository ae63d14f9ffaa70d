#!/usr/bin/env bash
# The desktop entry and the project file type are valid for the desktop, and
# CPack makes the Debian package from the build tree given as $1: the
# program, its two helpers and its factorisation module in it, dependencies
# found by dpkg-shlibdeps, no development package among them, the copyright
# file with Triangle's notice and terms and with dxflib's, dxflib linked into
# the reader helper alone, CHOLMOD and the BLAS into the module alone, and
# nothing that lintian calls an error.
set -u
dir="$(dirname "$0")/../../packaging"
build=$1
passed=0 failed=0
check() {  # check NAME CONDITION-EXIT-CODE [DETAIL]
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1 ${3:-}"; fi
}
out=$(desktop-file-validate "$dir/vendrel-korbel.desktop" 2>&1) && [ -z "$out" ]
check "desktop entry" $? "$out"
grep -q '<glob pattern="\*.vdk"/>' "$dir/vendrel-korbel.xml" &&
  grep -q '^MimeType=application/x-vendrel-korbel;$' "$dir/vendrel-korbel.desktop"
check "the .vdk type and the entry match" $?

out_dir=$(mktemp -d)
trap 'rm -rf "$out_dir"' EXIT
log=$(cd "$build" && cpack -G DEB -B "$out_dir" 2>&1)
check "cpack" $? "$log"
deb=$(ls "$out_dir"/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] && dpkg-deb -c "$deb" | grep -q '/bin/vendrel$' &&
  dpkg-deb -c "$deb" | grep -q '/libexec/vendrel-korbel/vendrel-mesher$' &&
  dpkg-deb -c "$deb" | grep -q '/libexec/vendrel-korbel/vendrel-dxf$' &&
  dpkg-deb -c "$deb" | grep -q '/libexec/vendrel-korbel/vendrel-factor.so$'
check "the package holds the program, its helpers and its module" $?
depends=$([ -n "$deb" ] && dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" && grep -q 'libqt6charts6' <<<"$depends" && grep -q 'libqt6svg6' <<<"$depends" &&
  grep -q 'qt6-qpa-plugins' <<<"$depends" && ! grep -q -- '-dev' <<<"$depends"
check "dependencies from dpkg-shlibdeps, no -dev package" $? "$depends"
copyright=$([ -n "$deb" ] && dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/vendrel-korbel/copyright)
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' <<<"$copyright" &&
  grep -q '^Copyright: 1993, 1995, 1997, 1998, 2002, 2005 Jonathan Richard Shewchuk$' <<<"$copyright" &&
  grep -q 'no compensation is received' <<<"$copyright" && grep -q 'DIRECT ARRANGEMENT' <<<"$copyright"
check "the copyright file carries Triangle's notice and terms" $?
grep -q '^Files: usr/include/dxflib/\*$' <<<"$copyright" && grep -q '^License: GPL-2+$' <<<"$copyright"
check "the copyright file names dxflib and its licence" $?
# dxflib (GPL) reads files from elsewhere in the reader helper only: never
# in the program, never beside Triangle in the mesher.
nm -C "$build/bin/vendrel-dxf" | grep -q 'DL_Dxf::in' && ! nm -C "$build/bin/vendrel" | grep -q 'DL_Dxf\|DL_Creation' &&
  ! nm -C "$build/bin/vendrel-mesher" | grep -q 'DL_Dxf\|DL_Creation'
check "dxflib is in the reader helper alone" $?
# CHOLMOD (GPL in part), LAPACK, the BLAS and OpenMP are needed by the
# factorisation module alone, which exports its one entry: the program opens
# it at its first solve, the helpers never.
readelf -d "$build/bin/vendrel-factor.so" | grep -q 'NEEDED.*libcholmod' &&
  ! readelf -d "$build/bin/vendrel" "$build/bin/vendrel-mesher" "$build/bin/vendrel-dxf" |
  grep -q 'NEEDED.*\(cholmod\|blas\|lapack\|gomp\)'
check "CHOLMOD and the BLAS are needed by the module alone" $?
exported=$(nm -D --defined-only "$build/bin/vendrel-factor.so" | awk '$2 == "T" {print $3}')
[ "$exported" = vk_factor_functions ]
check "the module exports its entry alone" $? "$exported"
lint=$([ -n "$deb" ] && lintian --fail-on error "$deb" 2>&1)
check "lintian reports no error" $? "$(grep '^E: ' <<<"$lint")"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
