#!/usr/bin/env bash
# Sets everything up and runs every test: host tests (g++ with ASan and UBSan), a short run of
# every fuzz target (clang, libFuzzer) and Win32 tests (MinGW, under Wine).
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=$(nproc)
bash scripts/setup.sh || { echo "setup failed" >&2; exit 1; }

step() { printf '\n== %s\n' "$*"; }
fail() { echo "test.sh: $*" >&2; exit 1; }

step "host build (g++, AddressSanitizer and UndefinedBehaviorSanitizer)"
cmake --preset host-asan >/dev/null && cmake --build --preset host-asan -j"$jobs" || fail "host build failed"
step "fuzz targets (clang, libFuzzer)"
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j"$jobs" || fail "fuzz build failed"
step "Tabrix.exe (MinGW, win32 threads)"
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$jobs" || fail "win32 build failed"
step "release artefacts: portable zip and installer"
TABRIX_SKIP_SETUP=1 bash scripts/release.sh || fail "release build failed"
step "Win32 tests (MinGW, posix threads)"
cmake --preset win32-tests >/dev/null && cmake --build --preset win32-tests -j"$jobs" || fail "win32 test build failed"

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

# CTest's own results of every case, one JUnit file a run.
results=$here/build/test-results
rm -rf "$results"; mkdir -p "$results"
step "host tests"
ctest --preset host-asan --timeout 300 --output-junit "$results/host.xml"
hostrc=$?
step "fuzz targets: a short run of each"
ctest --preset fuzz --output-junit "$results/fuzz.xml"
fuzzrc=$?
step "Win32 and end-to-end tests under Wine (DISPLAY=$DISPLAY)"
ctest --preset win32-tests --output-junit "$results/win32.xml"
winrc=$?
step "installer and portable zip under Wine (a fresh prefix)"
installlog=$(mktemp)
bash tests/install/install_test.sh 2>&1 | tee "$installlog"
read -r ip if_ < <(awk '/^install tests: / { print $3, $5 }' "$installlog")
[ -n "${ip:-}" ] || if_=1
rm -f "$installlog"

# One closing line over every run: the cases of the CTest runs, the installer and zip cases
# from their script. A CTest run that failed without a failed case in its file (it could
# not list or start a program) counts as one failure.
tally() {  # tally <junit file> <ctest's exit status>: prints "passed failed skipped"
  python3 - "$1" "$2" <<'PY'
import sys
import xml.etree.ElementTree as ET
path, rc = sys.argv[1], int(sys.argv[2])
passed = failed = skipped = 0
try:
    for case in ET.parse(path).getroot().iter('testcase'):
        status = case.get('status')
        if status == 'run':
            passed += 1
        elif status == 'fail':
            failed += 1
        else:
            skipped += 1
except (OSError, ET.ParseError) as e:
    print('test.sh: no results in %s: %s' % (path, e), file=sys.stderr)
if rc != 0 and failed == 0:
    failed = 1
print(passed, failed, skipped)
PY
}
read -r hp hf hs < <(tally "$results/host.xml" "$hostrc")
read -r fp ff fs < <(tally "$results/fuzz.xml" "$fuzzrc")
read -r wp wf ws < <(tally "$results/win32.xml" "$winrc")
passed=$(( hp + fp + wp + ${ip:-0} )); failed=$(( hf + ff + wf + ${if_:-0} ))
echo
echo "host: $hp passed, $hf failed, $hs skipped; fuzz: $fp passed, $ff failed;" \
  "Wine: $wp passed, $wf failed, $ws skipped;" \
  "install: ${ip:-0} passed, ${if_:-0} failed (results in $results)"
echo "Total: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
