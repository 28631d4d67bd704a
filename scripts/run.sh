#!/usr/bin/env bash
# Sets everything up, builds Tabrix.exe and starts it under Wine from the program folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)"
. scripts/wine-env.sh
dist=$here/build/win32/dist
shot=$here/build/screenshot.png
if [ -n "${TABRIX_OWN_DISPLAY:-}" ]; then
  echo "No display found: Tabrix runs on a private virtual display ($DISPLAY)."
  echo "A screenshot of it is refreshed every 2 seconds at $shot"
  echo "Stop it with Ctrl+C."
  ( while sleep 2; do import -display "$DISPLAY" -window root "$shot.tmp.png" 2>/dev/null && mv "$shot.tmp.png" "$shot"; done ) &
  shooter=$!
  trap 'kill $shooter 2>/dev/null; [ -n "${TABRIX_XVFB_PID:-}" ] && kill $TABRIX_XVFB_PID 2>/dev/null; true' EXIT
fi
echo "Starting $dist/Tabrix.exe"
cd "$dist"
wine ./Tabrix.exe
