# Sourced: makes sure there is an X display for Wine. Uses $DISPLAY when it is set and
# answers; otherwise starts a private Xvfb and exports its DISPLAY (TABRIX_XVFB_PID).
_tabrix_display_ok() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }
if ! command -v xdpyinfo >/dev/null 2>&1; then
  _tabrix_display_ok() { [ -n "${DISPLAY:-}" ] && [ -S "/tmp/.X11-unix/X${DISPLAY#*:}" ]; }
fi
if ! _tabrix_display_ok; then
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TABRIX_XVFB_PID=$!
    for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n" TABRIX_XVFB_PID TABRIX_OWN_DISPLAY=1
    break
  done
fi
