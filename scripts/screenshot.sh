#!/usr/bin/env bash
# Makes docs/screenshot.png: the plate example meshed in a real window under
# Xvfb. Needs the program built (./scripts/run.sh or ./scripts/test.sh) and
# the packages xvfb, xdotool and imagemagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install xvfb xdotool imagemagick)" >&2; exit 1; }
done
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
"$root/build/bin/vendrel" "$root/examples/plyta-z-otworem.vdk" >/dev/null 2>&1 &
program=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --name "Vendrel korbel v1.0" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
sleep 0.5
xdotool key Return      # "Odczytano dane z pliku …"
sleep 0.3
# "Generacja siatki" > "GENERUJ" with the mouse, then the area 10 as offered.
xdotool mousemove --window "$window" 280 8 click 1
sleep 0.4
xdotool mousemove --window "$window" 290 30 click 1
sleep 0.5
xdotool key Return
sleep 1
xdotool key Return      # "Generacja siatki powiodła się"
sleep 0.5
mkdir -p "$root/docs"
import -window "$window" "$root/docs/screenshot.png"
echo "$root/docs/screenshot.png"
