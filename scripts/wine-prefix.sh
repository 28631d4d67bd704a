#!/usr/bin/env bash
# Boots the project's own Wine prefix once (about 15 s) and sets it up for testing:
# reports Windows XP, unmanaged windows (no two-second stalls without a window manager).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/wine-env.sh"
stamp=$WINEPREFIX/.tabrix-ready
[ -f "$stamp" ] && exit 0
echo "== booting the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
