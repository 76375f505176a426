#!/usr/bin/env bash
# Builds everything and runs every test tier:
#   0. the layer check: folders under src/ include only downwards, no cycles
#   1. core tests natively with AddressSanitizer + UndefinedBehaviorSanitizer
#   2. the file-reader fuzz targets for a short time (QB_FUZZ_SECONDS each)
#   3. core, Win32 and end-to-end tests of the Windows build under Wine, in a
#      private Xvfb display, Wine prefix and Wine server that are stopped at the end
#   4. two machines (Wine prefixes with their own displays and Wine servers)
#      whose data folders are kept in sync by two Syncthing instances on
#      127.0.0.1, each running Quillboard: tests/sync/scenarios.sh starts and
#      stops all of it and plays the sync scenarios step by step
#   5. the installer: built as scripts/package.sh builds it, its size limits,
#      then installed, upgraded over a running copy and uninstalled in a fresh
#      Wine prefix of its own (screenshots of its pages in build/screenshots/installer)
# Installs missing Debian packages first. Exit status 0 only when all pass.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh
. scripts/lib/wine.sh
. scripts/lib/package.sh

failures=()
timings=()

# Each tier runs in a fresh copy of this script (so shell functions work too)
# under `timeout`, which stops the tier's whole process group when it runs out
# of time; a hang then fails that tier, named, instead of the whole run.
if [ "${1:-}" = "--tier" ]; then
  shift
  tier_function=$1
  shift
  trap - EXIT
fi

step() {  # name, limit in seconds, command...
  local name=$1 limit=$2
  shift 2
  echo
  echo "=== $name (limit ${limit}s)"
  local started=$SECONDS status=0
  local log="$root/build/logs/${name//[^a-zA-Z0-9]/-}.log"
  mkdir -p "$root/build/logs"
  # Into a file, shown as it grows: a program the tier leaves behind cannot
  # hold up the run the way it would hold a pipe open.
  : >"$log"
  timeout --kill-after=15 "$limit" "$root/scripts/test.sh" --tier "$@" >"$log" 2>&1 &
  local pid=$!
  tail -n +1 --pid="$pid" -f "$log"
  wait "$pid" || status=$?
  local took=$((SECONDS - started))
  timings+=("$name: ${took}s")
  if [ $status -eq 0 ]; then echo "=== $name: passed in ${took}s"; return 0; fi
  if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    echo "=== $name: FAILED, ran out of its ${limit}s limit and was stopped"
    local last
    last=$(grep '^\[ RUN      \]' "$log" | tail -n 1)
    [ -n "$last" ] && echo "=== the test running then: ${last#*] }"
  else
    echo "=== $name: FAILED after ${took}s"
  fi
  failures+=("$name")
  return 1
}

build() {  # preset
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}

run_fuzzers() {
  local seconds=${QB_FUZZ_SECONDS:-15}
  local target
  for target in build/fuzz/bin/*_fuzz; do
    [ -x "$target" ] || continue
    local corpus="build/fuzz/corpus/$(basename "$target")"
    mkdir -p "$corpus"
    echo "--- $(basename "$target") for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" 2>&1 | tail -n 3 || return 1
  done
}

cleanup() {
  local prefix
  for prefix in "$root/build/windows/wine-test" "$root/build/windows/wine-install" \
    "$root/build/windows/wine-sync-a" "$root/build/windows/wine-sync-b"; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix qb_stop_wineserver
  done
  qb_stop_xvfb
}

# Each test is named as it starts, so that a run stopped at its limit tells
# which test it was in.
wine_tier() {  # test program name
  wine "build/windows/bin/$1.exe" </dev/null
}

# Moves to a new Wine prefix (the display stays): the installer is tried on
# a system that has never seen Quillboard.
installer_tier() {
  qb_build_installer && qb_check_package_sizes || return 1
  qb_stop_wineserver
  local prefix="$root/build/windows/wine-install"
  rm -rf "$prefix"
  qb_wine_environment "$prefix"
  qb_prepare_prefix
  qb_start_wineserver
  local screenshots="$root/build/screenshots/installer"
  rm -rf "$screenshots"
  mkdir -p "$screenshots/en" "$screenshots/fr"
  local installer
  installer=$(qb_installer_path "$(qb_package_version)")
  export QB_INSTALLER
  QB_INSTALLER=$(winepath -w "$root/$installer")
  QB_INSTALLER_SCREENSHOTS=$(winepath -w "$screenshots/en") LC_ALL=C.UTF-8 \
    wine build/windows/bin/install_tests.exe --gtest_brief=1 </dev/null || return 1
  # Once more in French, the other language of the wizard.
  QB_INSTALLER_SCREENSHOTS=$(winepath -w "$screenshots/fr") LC_ALL=fr_FR.UTF-8 \
    wine build/windows/bin/install_tests.exe --gtest_brief=1 --gtest_filter='*Interactive*' </dev/null || return 1
  local page
  for page in "$screenshots"/*/*.bmp; do
    [ -e "$page" ] && convert "$page" "${page%.bmp}.png" && rm "$page"
  done
  return 0
}

if [ -n "${tier_function:-}" ]; then
  "$tier_function" "$@"
  exit $?
fi

qb_packages+=(nsis)
qb_install_deps || { echo "Could not install the packages." >&2; exit 1; }
trap cleanup EXIT

fuzz_limit=$(( (${QB_FUZZ_SECONDS:-15} + 10) * 12 + 60 ))
step "layer check" 60 scripts/check_layers.sh
step "build native" 900 build native &&
  step "core tests (native, sanitizers)" 120 build/native/bin/core_tests --gtest_brief=1
step "build fuzz" 900 build fuzz && step "fuzz targets" "$fuzz_limit" run_fuzzers

if step "build windows" 1500 build windows; then
  qb_start_xvfb || failures+=("xvfb")
  qb_wine_environment "$root/build/windows/wine-test"
  qb_prepare_prefix
  qb_start_wineserver
  step "core tests (Wine)" 180 wine_tier core_tests
  step "Win32 tests (Wine)" 600 wine_tier win32_tests
  step "end-to-end tests (Wine)" 900 wine_tier e2e_tests
  # QB_SYNC_SCENARIOS may name some of them (tests/sync/scenarios.sh lists the names).
  step "two machines (Wine, Syncthing)" 420 tests/sync/scenarios.sh ${QB_SYNC_SCENARIOS:-}
  step "installer (Wine)" 600 installer_tier
fi

echo
echo "Times: ${timings[*]/%/;} whole run: ${SECONDS}s"
echo
if [ ${#failures[@]} -eq 0 ]; then
  echo "All tests passed."
  exit 0
fi
echo "Failed: ${failures[*]}"
exit 1
