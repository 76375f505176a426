#!/usr/bin/env bash
# Builds Quillboard.exe and starts it under Wine.
# With a display (DISPLAY set and answering) it runs on that display until you
# quit it from its tray menu. Without one it starts a virtual display, waits
# for the program to come up, saves a screenshot to build/screenshots/run.png
# and stops; the first time, when the Wine prefix has no Quillboard data
# folder yet, it gives the program a small example one to show
# (scripts/lib/example_data.sh).
# Its notes live in the Wine prefix build/windows/wine-run (see README).
# Whatever it starts (Xvfb, the Wine server, the program) is stopped at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh
. scripts/lib/wine.sh
. scripts/lib/example_data.sh

qb_install_deps
cmake --preset windows >/dev/null
cmake --build --preset windows --target Quillboard

exe="$root/build/windows/bin/Quillboard.exe"
screenshot="$root/build/screenshots/run.png"
qb_wine_environment "$root/build/windows/wine-run"
headless=0
program_pid=
cleanup() {
  if [ "$headless" = 0 ]; then
    # The Wine server and its desktop end by themselves once the program has quit.
    wineserver -w 2>/dev/null || true
    return
  fi
  qb_stop_wineserver  # ends the program too, and every Wine process of the prefix
  if [ -n "$program_pid" ]; then wait "$program_pid" 2>/dev/null || true; fi
  qb_stop_xvfb
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
  qb_start_xvfb
fi
qb_prepare_prefix

# Whether the virtual display shows a window with this title: the program's
# notes are "Note", its splash is "Quillboard" (its tray window has the same
# title but is never shown).
program_shows() {  # title
  [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]
}

splash_gone() {
  ! program_shows Quillboard
}

# True when two pictures of the screen a moment apart are the same: what lay
# under the splash has been drawn again.
screen_settled() {
  local before after
  before=$(import -window root rgb:- | md5sum)
  sleep 0.3
  after=$(import -window root rgb:- | md5sum)
  [ "$before" = "$after" ]
}

# Runs the command every 0.2 s until it succeeds; false after `seconds`.
wait_until() {  # seconds, command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

# A fresh prefix has no data folder until the program's first start.
give_example_data() {
  local folder
  folder=$(qb_prefix_data_folder) || return 1
  if [ -e "$folder" ]; then
    echo "Keeping the data folder already in the prefix: $folder"
    return 0
  fi
  echo "First run of this prefix: writing example notes into $folder"
  qb_write_example_data "$folder"
}

if [ "$headless" = 0 ]; then
  echo "Starting Quillboard on $DISPLAY (quit it from its tray icon menu)."
  wine "$exe" </dev/null
  exit 0
fi

echo "No display: running Quillboard on a virtual display for a screenshot."
# Kept running until the end: the output of Wine programs is read below
# through pipes, which a server started by one of them would hold open.
qb_start_wineserver
give_example_data || echo "Could not find the data folder in the prefix; starting without example notes." >&2
wine "$exe" </dev/null >/dev/null 2>&1 &
program_pid=$!
# Start-up shows the splash, loads every note, then runs until the splash
# closes itself a few seconds later: by then the notes are all on the screen.
wait_until 60 program_shows Quillboard || echo "The splash did not show." >&2
wait_until 20 splash_gone || echo "The splash did not close." >&2
wait_until 5 screen_settled || true
mkdir -p "$(dirname "$screenshot")"
import -window root "$screenshot"
echo "Screenshot of the running program: $screenshot"
