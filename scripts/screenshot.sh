#!/usr/bin/env bash
# Makes the README's pictures, and is the only way they are made, in a real
# window under Xvfb. Installs what it needs and builds the program first.
#   scripts/screenshot.sh [mesh]  docs/screenshot.png: the plate example meshed
#   scripts/screenshot.sh plate   docs/solution-plate.png: the plate of
#                                 tests/data/physics.vdk solved, its colour map,
#                                 isotherms and colour bar
#   scripts/screenshot.sh disc    docs/solution-disc.png: a disc with a hole
#                                 pulled at its ends, deformed, its von Mises map
#   scripts/screenshot.sh all     the three
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-mesh}
case "$mode" in
  mesh | plate | disc | all) ;;
  *) echo "usage: $0 [mesh|plate|disc|all]" >&2; exit 2 ;;
esac
"$root/scripts/install-deps.sh" screenshot
if [ ! -f "$root/build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build" -DVK_BUILD_TESTS=OFF -DVK_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$root/build" -j "$(nproc)" --target vendrel >/dev/null
# A display no other server holds.
number=$((90 + RANDOM % 100))
while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
display=:$number
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
program=""
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
mkdir -p "$root/docs"

# Starts the program on a project and answers "Odczytano dane z pliku …";
# a second argument makes the window fill the screen.
start() {
  "$root/build/bin/vendrel" "$1" >/dev/null 2>&1 &
  program=$!
  window=""
  for _ in $(seq 50); do
    window=$(xdotool search --name "Vendrel korbel v1.0" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  sleep 0.5
  xdotool key Return
  sleep 0.3
  # Without a window manager the focus is given by hand.
  xdotool windowfocus --sync "$window"
  if [ -n "${2:-}" ]; then
    xdotool windowmove --sync "$window" 0 0 windowsize --sync "$window" 800 600
    sleep 0.5
  fi
}

# "Generacja siatki" > "GENERUJ" by its access letters, then the area (the
# one offered when none is given), then "Generacja siatki powiodła się".
generate() {
  xdotool windowfocus --sync "$window"
  xdotool key alt+g
  sleep 0.4
  xdotool key g
  sleep 0.5
  if [ -n "${1:-}" ]; then
    xdotool key ctrl+a
    xdotool type "$1"
  fi
  xdotool key Return
  sleep 1
  xdotool key Return
  sleep 0.5
}

# "Rozwiązanie" > "Rozwiąż" (Ctrl+R), then its message; then the items of
# "Rozwiązanie" given by their access letters.
solve() {
  xdotool windowfocus --sync "$window"
  xdotool key ctrl+r
  sleep 2
  xdotool key Return
  sleep 0.5
  for letter in "$@"; do
    xdotool windowfocus --sync "$window"
    xdotool key alt+r
    sleep 0.4
    xdotool key "$letter"
    sleep 0.5
  done
}

# The window's picture, with the value under the cursor at (x, y) when given.
shoot() {
  if [ $# -ge 3 ]; then
    xdotool mousemove --window "$window" "$2" "$3"
    sleep 0.5
  fi
  import -window "$window" "$root/docs/$1"
  echo "$root/docs/$1"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=""
}

if [ "$mode" = mesh ] || [ "$mode" = all ]; then
  start "$root/examples/plyta-z-otworem.vdk"
  generate
  shoot screenshot.png
fi
if [ "$mode" = plate ] || [ "$mode" = all ]; then
  start "$root/tests/data/physics.vdk" large
  generate
  solve m i  # "Mapa", "Izolinie"
  shoot solution-plate.png 170 400
fi
if [ "$mode" = disc ] || [ "$mode" = all ]; then
  start "$root/examples/tarcza-rozciagana.vdk" large
  generate 1
  solve o m  # "Odkształcenie", "Mapa"
  # The mesh (Ctrl+M) off, so that the colours show.
  xdotool key ctrl+m
  sleep 0.5
  shoot solution-disc.png 263 277
fi
