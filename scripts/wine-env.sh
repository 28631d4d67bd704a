#!/usr/bin/env bash
# How the project runs Wine, in one place: the environment, the prefix and the virtual display.
#
# Sourced (`. scripts/wine-env.sh`): exports the environment of every Wine run (WINEPREFIX is
# $WINEPREFIX when set, else build/wineprefix) and makes sure there is an X display: $DISPLAY
# when it answers, otherwise a private Xvfb (exports DISPLAY, TABRIX_XVFB_PID and
# TABRIX_OWN_DISPLAY=1; the caller stops it).
# Run (`bash scripts/wine-env.sh COMMAND`), with that environment:
#   boot             boots $WINEPREFIX once and sets it up for testing
#   display [WxH]    starts a private Xvfb and prints "DISPLAY PID"
#   exec PROGRAM...  runs PROGRAM (wine, wineserver, ...)
#   run PROGRAM...   runs a Windows program with its output through a file (CTest's emulator)
#   scaled "DPI..." PROGRAM...
#                    runs a Windows program once for each screen resolution listed, each time
#                    in a throwaway copy of $WINEPREFIX whose LogPixels says so, with
#                    TABRIX_TEST_DPI set to it; fails when any run fails
#   env              prints the environment, one NUL-ended VAR=value each
_tabrix_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-${TABRIX_BUILD:-$_tabrix_top/build}/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}

# A private Xvfb on the first free display number: sets _tabrix_display and _tabrix_xvfb.
_tabrix_start_xvfb() {
  local n
  for n in $(seq 91 199); do
    { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
    Xvfb ":$n" -screen 0 "${1:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 </dev/null &
    _tabrix_xvfb=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -S "/tmp/.X11-unix/X$n" ] || { kill "$_tabrix_xvfb" 2>/dev/null; continue; }
    _tabrix_display=":$n"
    return 0
  done
  echo "wine-env: no free X display number" >&2
  return 1
}

# Boots the prefix (about 15 s) and sets it up: reports Windows XP, unmanaged windows (no
# two-second stalls without a window manager).
_tabrix_boot() {
  # Bump when the settings below change, so existing prefixes get them.
  local stamp=$WINEPREFIX/.tabrix-ready-3
  [ -f "$stamp" ] && return 0
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
}

# A throwaway copy of $WINEPREFIX whose screen has $1 dots per inch (Wine 8 reads LogPixels
# under HKCU\Control Panel\Desktop); prints its path. The shared prefix is never changed: the
# copy's files are hard links to it, except the ones programs rewrite in place (the registry,
# .ini files, the users' folders), which are copies.
_tabrix_scaled_prefix() {
  local copy
  copy=$(mktemp -d "${TMPDIR:-/tmp}/tabrix-dpi$1.XXXXXX") || return 1
  cp -al "$WINEPREFIX/." "$copy/" || return 1
  find "$copy" -type f \( -name '*.reg' -o -name '*.ini' -o -path "$copy/drive_c/users/*" \) \
    -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done' _ {} + || return 1
  WINEPREFIX=$copy wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1 || return 1
  echo "$copy"
}

_tabrix_scaled() {
  local dpis=$1 dpi copy rc=0 one
  shift
  for dpi in $dpis; do
    echo "== at $dpi dots per inch"
    if copy=$(_tabrix_scaled_prefix "$dpi"); then
      WINEPREFIX=$copy TABRIX_TEST_DPI=$dpi bash "$0" run "$@"
      one=$?
      WINEPREFIX=$copy wineserver -k 2>/dev/null
      WINEPREFIX=$copy wineserver -w 2>/dev/null
    else
      echo "wine-env: no prefix at $dpi dots per inch" >&2
      one=1
    fi
    [ -n "$copy" ] && rm -rf "$copy"
    [ "$one" -eq 0 ] || rc=1
  done
  return $rc
}

if [ "${BASH_SOURCE[0]}" != "$0" ]; then
  _tabrix_display_ok() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }
  if ! command -v xdpyinfo >/dev/null 2>&1; then
    _tabrix_display_ok() { [ -n "${DISPLAY:-}" ] && [ -S "/tmp/.X11-unix/X${DISPLAY#*:}" ]; }
  fi
  if ! _tabrix_display_ok && _tabrix_start_xvfb; then
    export DISPLAY=$_tabrix_display TABRIX_XVFB_PID=$_tabrix_xvfb TABRIX_OWN_DISPLAY=1
  fi
  return 0
fi

set -uo pipefail
command=${1:-}
shift || true
case $command in
  boot) _tabrix_boot ;;
  display) _tabrix_start_xvfb "${1:-}" && echo "$_tabrix_display $_tabrix_xvfb" ;;
  exec) exec "$@" ;;
  run)
    # Wine's helper processes (started by the first program and kept by the server) inherit
    # the program's output handles and would hold CTest's pipes open. Line ends made plain
    # for whoever reads the output (CTest's test discovery among them).
    out=$(mktemp)
    wine "$@" >"$out" 2>&1 </dev/null
    rc=$?
    tr -d '\r' <"$out"
    rm -f "$out"
    exit $rc
    ;;
  scaled) _tabrix_scaled "$@" ;;
  env) env -0 ;;
  *)
    echo "usage: . scripts/wine-env.sh | bash scripts/wine-env.sh boot|display [WxH]|exec PROGRAM...|run PROGRAM...|scaled \"DPI...\" PROGRAM...|env" >&2
    exit 2
    ;;
esac
