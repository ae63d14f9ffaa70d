#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz/) and runs each for
# SECONDS (default 60): the project-file reader from the examples and the
# tests' files, the mesher protocol's two decoders and the DXF reader's
# reply from scratch, the DXF import from ezdxf's drawings. A finding
# stops the script with the input that caused it in build-fuzz/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/install-deps.sh" test
build="$root/build-fuzz"
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DVK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
for target in project request reply dxf drawing; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  seeds=()
  [ "$target" = project ] && seeds=("$root/examples" "$root/tests/data" "$root/tests/data/bad")
  if [ "$target" = dxf ]; then
    # Drawings made by ezdxf, good and refused, as the import's tests make them.
    /usr/bin/python3 "$root/tests/scripts/test_dxf_import.py" --seeds "$build/dxf-seeds"
    seeds=("$build/dxf-seeds")
  fi
  echo "== fuzz_$target for ${seconds} s"
  log="$build/fuzz_$target.log"
  status=0
  (cd "$build" && "./bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${seeds[@]}") \
    >"$log" 2>&1 || status=$?
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    exit 1
  fi
done
