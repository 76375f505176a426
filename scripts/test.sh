#!/usr/bin/env bash
# Builds everything and runs every test tier:
#   0. the layer check: folders under src/ include only downwards, no cycles
#   1. core tests natively with AddressSanitizer + UndefinedBehaviorSanitizer
#   2. the file-reader fuzz targets for a short time (QB_FUZZ_SECONDS each)
#   3. core, Win32 and end-to-end tests of the Windows build under Wine, in a
#      private Xvfb display, Wine prefix and Wine server that are stopped at the end
# Installs missing Debian packages first. Exit status 0 only when all pass.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh
. scripts/lib/wine.sh

qb_install_deps || { echo "Could not install the packages." >&2; exit 1; }

failures=()
step() {  # name, command...
  local name=$1
  shift
  echo
  echo "=== $name"
  if "$@"; then echo "=== $name: passed"; return 0; fi
  echo "=== $name: FAILED"
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
  qb_stop_wineserver
  qb_stop_xvfb
}
trap cleanup EXIT

wine_tier() {  # test program name
  wine "build/windows/bin/$1.exe" --gtest_brief=1 </dev/null
}

step "layer check" scripts/check_layers.sh
step "build native" build native && step "core tests (native, sanitizers)" build/native/bin/core_tests --gtest_brief=1
step "build fuzz" build fuzz && step "fuzz targets" run_fuzzers

if step "build windows" build windows; then
  qb_start_xvfb || failures+=("xvfb")
  qb_wine_environment "$root/build/windows/wine-test"
  qb_prepare_prefix
  qb_start_wineserver
  step "core tests (Wine)" wine_tier core_tests
  step "Win32 tests (Wine)" wine_tier win32_tests
  step "end-to-end tests (Wine)" wine_tier e2e_tests
fi

echo
if [ ${#failures[@]} -eq 0 ]; then
  echo "All tests passed."
  exit 0
fi
echo "Failed: ${failures[*]}"
exit 1
