#pragma once
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tabrix {

// A widget that stays on top would sit over every full-screen game and video. With
// hidefullscreen on, it steps aside while the foreground window covers its monitor.

// Whether the window may be a full-screen program at all: none, the desktop, the shell's
// windows (whose rectangles cover a whole screen too) and maximised windows are not. Asked
// first, so the monitors are only listed for a window that may count.
bool mayBeFullScreen(const ForegroundWindow& foreground);

// The widget hides when the foreground window may be full screen and covers the whole
// rectangle (not just the work area) of the monitor the widget is on: the one it shares most
// pixels with. A full-screen window on another monitor leaves it alone, and so does a widget
// no monitor shows.
bool hiddenByFullScreen(const ForegroundWindow& foreground, const std::vector<ScreenRect>& monitors,
                        const ScreenRect& widget);

}  // namespace tabrix
