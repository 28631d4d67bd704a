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
step "release artefacts: portable zip and installer"
TABRIX_SKIP_SETUP=1 bash scripts/release.sh || fail "release build failed"
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

hostlog=$(mktemp); winlog=$(mktemp)
step "host tests"
ctest --preset host --timeout 300 2>&1 | tee "$hostlog"
step "Win32 and end-to-end tests under Wine (DISPLAY=$DISPLAY)"
# -V keeps GoogleTest's own lines, so the cases of each Wine suite can be counted.
ctest --preset win32-tests --timeout 900 -V >"$winlog" 2>&1
grep -E '^[0-9]+: \[ +(RUN|OK|FAILED|SKIPPED|PASSED) +\]|^[0-9]+: .*Failure|^[0-9]+/[0-9]+ Test|tests passed|Expected|Which is|Value of|Actual' "$winlog" \
  | grep -vE '\[ +RUN +\]' || true
step "installer and portable zip under Wine (a fresh prefix)"
installlog=$(mktemp)
bash tests/install/install_test.sh 2>&1 | tee "$installlog"
read -r ip if_ < <(awk '/^install tests: / { print $3, $5 }' "$installlog")
[ -n "${ip:-}" ] || if_=1
rm -f "$installlog"

# One closing line over every run: host cases from CTest, Wine cases from GoogleTest, the
# installer and zip cases from their script.
read -r hp hf < <(awk '/tests passed, [0-9]+ tests failed out of/ {
    for (i = 1; i <= NF; i++) { if ($i == "out") t = $(i + 2); if ($i == "failed") f = $(i - 2) }
    print t - f, f }' "$hostlog")
wp=$(grep -cE '^[0-9]+: \[ +OK +\]' "$winlog" || true)
wf=$(grep -cE '^[0-9]+: \[ +FAILED +\] [A-Za-z].*\([0-9]+ ms\)' "$winlog" || true)
# A suite that crashed or hung prints no verdict of its own: count it from CTest.
crashed=$(grep -cE '^[0-9]+/[0-9]+ Test +#[0-9]+: .*(\*\*\*Exception|\*\*\*Timeout|Child aborted)' "$winlog" || true)
passed=$(( ${hp:-0} + wp + ${ip:-0} )); failed=$(( ${hf:-0} + wf + crashed + ${if_:-0} ))
rm -f "$hostlog" "$winlog"
echo
echo "Total: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
