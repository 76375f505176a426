#!/usr/bin/env bash
# Builds Quillboard.exe and starts it under Wine.
# With a display (DISPLAY set and answering) it runs on that display until you
# quit it from its tray menu. Without one it starts a virtual display, lets the
# program come up, saves a screenshot to build/screenshots/run.png and stops.
# Its notes live in the Wine prefix build/windows/wine-run (see README).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh
. scripts/lib/wine.sh

qb_install_deps
cmake --preset windows >/dev/null
cmake --build --preset windows --target Quillboard

exe="$root/build/windows/bin/Quillboard.exe"
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
  qb_start_xvfb
fi

qb_wine_environment "$root/build/windows/wine-run"
cleanup() {
  if [ "$headless" = 1 ]; then
    qb_stop_wineserver
    qb_stop_xvfb
  fi
}
trap cleanup EXIT
qb_prepare_prefix
qb_start_wineserver

if [ "$headless" = 0 ]; then
  echo "Starting Quillboard on $DISPLAY (quit it from its tray icon menu)."
  wine "$exe" </dev/null
  exit 0
fi

echo "No display: running Quillboard on a virtual display for a screenshot."
wine "$exe" </dev/null >/dev/null 2>&1 &
mkdir -p build/screenshots
# Give the program its start-up moment (splash, notes, tray icon), then look.
for _ in $(seq 1 30); do
  sleep 0.2
done
import -window root build/screenshots/run.png
echo "Screenshot of the running program: $root/build/screenshots/run.png"
