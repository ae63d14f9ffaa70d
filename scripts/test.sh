#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# VK_SANITIZE=1 builds and runs it under AddressSanitizer and
# UndefinedBehaviorSanitizer instead, in a build folder of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" test

if [ "${VK_SANITIZE:-0}" = 1 ]; then
  build="$root/build-asan"
  extra=(-DVK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  # LeakSanitizer now and then reports an allocation inside Qt's own
  # libraries, with no frame of ours on it, from a test that passes: such a
  # test is run once more, and only a second failure fails the suite (the
  # first stays in the log).
  again=(--repeat until-pass:2)
else
  build="$root/build"
  extra=()
  again=()
fi
cmake -S "$root" -B "$build" -DVK_WERROR=ON -DVK_BUILD_TESTS=ON -DVK_BUILD_BENCH=ON "${extra[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "${again[@]}"
