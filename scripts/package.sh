#!/usr/bin/env bash
# Installs what is missing and builds the Debian package in build-deb/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" package
# Debian's hardening flags (stack protector, fortified calls, read-only
# relocations bound at start), as a Debian build would pass them.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S "$root" -B "$root/build-deb" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" -DCMAKE_C_FLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" -DVK_BUILD_TESTS=OFF -DVK_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-deb" -j "$(nproc)"
(cd "$root/build-deb" && cpack -G DEB >/dev/null)
ls "$root"/build-deb/*.deb
