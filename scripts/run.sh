#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" run
# The program alone: the tests and benchmarks need packages that running does not.
cmake -S "$root" -B "$root/build" -DVK_BUILD_TESTS=OFF -DVK_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target vendrel
exec "$root/build/bin/vendrel" "$@"
