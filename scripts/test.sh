#!/usr/bin/env bash
# Sets everything up and runs every test: host tests (g++) and Win32 tests (MinGW, under Wine).
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=$(nproc)
bash scripts/setup.sh || { echo "setup failed" >&2; exit 1; }

step() { printf '\n== %s\n' "$*"; }
fail() { echo "test.sh: $*" >&2; exit 1; }

step "host build (g++)"
cmake --preset host >/dev/null && cmake --build --preset host -j"$jobs" || fail "host build failed"
step "Tabrix.exe (MinGW, win32 threads)"
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$jobs" || fail "win32 build failed"
step "Win32 tests (MinGW, posix threads)"
cmake --preset win32-tests >/dev/null && cmake --build --preset win32-tests -j"$jobs" || fail "win32 test build failed"

. scripts/display.sh
. scripts/wine-env.sh
wineserver -p 2>/dev/null || true   # one warm server for every Wine run below
# Wine's helper processes start with the first program and live as long as the server;
# start them here so they do not hold CTest's output pipes open.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "${TABRIX_XVFB_PID:-}" ] && kill "$TABRIX_XVFB_PID" 2>/dev/null
}
trap cleanup EXIT

log=$(mktemp)
step "host tests"
ctest --preset host --timeout 300 2>&1 | tee "$log"
step "Win32 and end-to-end tests under Wine (DISPLAY=$DISPLAY)"
ctest --preset win32-tests --timeout 900 2>&1 | tee -a "$log"

# One closing line over both runs: ctest counts a Win32 suite as one test, so count
# GoogleTest's cases instead where they were printed.
passed=0; failed=0
while read -r p f; do passed=$((passed + p)); failed=$((failed + f)); done < <(
  awk '/tests passed, [0-9]+ tests failed out of/ {
         for (i = 1; i <= NF; i++) if ($i == "out") total = $(i + 2);
         for (i = 1; i <= NF; i++) if ($i == "failed") fl = $(i - 2);
         print total - fl, fl }' "$log")
rm -f "$log"
echo
echo "Total: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
