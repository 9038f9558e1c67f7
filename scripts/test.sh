#!/usr/bin/env bash
# Tavrin's test command: installs what it needs, then runs every tier through CTest:
#   1. unit tests of the portable code on the host (and the list benchmark, for its numbers);
#   2. Windows-side and end-to-end tests: Tavrin.exe and the test programs cross-built with
#      MinGW-w64 and run under Wine, with a virtual display, a fresh Wine prefix, a browser-launch
#      recorder and a real SNTP server (chronyd) on a loopback port.
# Usage: scripts/test.sh [--native-only | --windows-only]
# Exits non-zero when any tier fails. Everything it starts it stops.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tiers="native windows"
case "${1:-}" in
  --native-only) tiers="native" ;;
  --windows-only) tiers="windows" ;;
  "") ;;
  *) echo "usage: $0 [--native-only | --windows-only]" >&2; exit 2 ;;
esac

source scripts/packages.sh
install_packages

jobs=$(nproc 2>/dev/null || echo 2)
status=0

if [[ $tiers == *native* ]]; then
  echo "== host build and unit tests"
  if cmake --preset native >/dev/null && cmake --build --preset native -j "$jobs"; then
    ctest --preset native -j "$jobs" || status=1
    echo "== list benchmark (measures, does not judge)"
    build/native/bin/list_bench || true
  else
    echo "host build failed"; status=1
  fi
fi

if [[ $tiers == *windows* ]]; then
  echo "== Windows build"
  if ! { cmake --preset windows >/dev/null && cmake --build --preset windows -j "$jobs"; }; then
    echo "Windows build failed"; exit 1
  fi
  source scripts/wine-env.sh
  start_wine_environment "$root/build/windows/wine-prefix" || { echo "Wine environment failed to start"; exit 1; }
  trap stop_wine_environment EXIT
  start_ntp_server || { echo "chronyd failed to start"; exit 1; }

  out="$root/build/windows/test-output"
  rm -rf "$out"; mkdir -p "$out"
  export TAVRIN_TEST_OUTPUT; TAVRIN_TEST_OUTPUT=$(winepath -w "$out" 2>/dev/null)
  export TAVRIN_BROWSER_LOG_FILE="$WINEPREFIX/drive_c/tavrin-browser.log"
  export TAVRIN_BROWSER_LOG='C:\tavrin-browser.log'
  echo "== Windows-side and end-to-end tests under Wine (display $DISPLAY, SNTP server $TAVRIN_TEST_NTP_SERVER)"
  ctest --preset windows || status=1
  if [ -x build/windows/bin/startup_bench.exe ]; then
    echo "== start-up benchmark under Wine (measures, does not judge)"
    wine build/windows/bin/startup_bench.exe || true
  fi
  shopt -s nullglob
  for bmp in "$out"/*.bmp; do convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
  echo "screenshots: $out"
fi

exit $status
