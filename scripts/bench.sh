#!/usr/bin/env bash
# Start-up time, memory and size of Tabrix.exe under Wine (figures only).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/setup.sh >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$(nproc)" >/dev/null
cmake --preset win32-tests >/dev/null && cmake --build --preset win32-tests --target bench_startup -j"$(nproc)" >/dev/null
. scripts/wine-env.sh
wineserver -p 2>/dev/null || true
trap 'wineserver -k 2>/dev/null; [ -n "${TABRIX_XVFB_PID:-}" ] && kill $TABRIX_XVFB_PID 2>/dev/null; true' EXIT
wine build/win32-tests/tests/win32/bench_startup.exe
