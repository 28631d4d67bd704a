#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix (CTest's emulator).
# Needs a display: the test script starts Xvfb and exports DISPLAY.
# Output goes through a file: Wine's helper processes (started by the first program and kept
# by the server) inherit the program's output handles and would hold CTest's pipes open.
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/wine-env.sh"
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
