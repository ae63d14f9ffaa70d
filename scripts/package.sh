#!/usr/bin/env bash
# Installs what is missing and builds the Debian package in build-deb/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" package
cmake -S "$root" -B "$root/build-deb" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVK_BUILD_TESTS=OFF -DVK_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-deb" -j "$(nproc)"
(cd "$root/build-deb" && cpack -G DEB >/dev/null)
ls "$root"/build-deb/*.deb
