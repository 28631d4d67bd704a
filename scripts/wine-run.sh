#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix (CTest's emulator).
# Needs a display: the test script starts Xvfb and exports DISPLAY.
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/wine-env.sh"
exec wine "$@"
