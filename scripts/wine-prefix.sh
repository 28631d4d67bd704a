#!/usr/bin/env bash
# Boots the project's own Wine prefix once (about 15 s) and sets it up for testing:
# reports Windows XP, unmanaged windows (no two-second stalls without a window manager).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/wine-env.sh"
# Bump when the settings below change, so existing prefixes get them.
stamp=$WINEPREFIX/.tabrix-ready-3
[ -f "$stamp" ] && exit 0
echo "== booting the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# A crashing program ends at once: the "debugger" is a command that exits. Wine's own one
# can stay behind a crashed windowed program forever, holding a test runner's output open.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d 'cmd.exe /c exit' /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
