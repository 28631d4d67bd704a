#pragma once
#include <vector>

#include "platform/Platform.h"

namespace tabrix {

// A widget saved on a monitor that is gone (unplugged, a lower resolution, a laptop away
// from its dock) would start where nobody can see it, with nothing to bring it back.

struct WindowPlace {
    int left = 0;
    int top = 0;
    int width = 0;  // outer size
    int height = 0;
};

// Where the window goes: unchanged when any of it lies on a work area, or when no work
// area is known; otherwise moved, not resized, fully into the nearest work area (to its
// top-left corner along a side it does not fit).
WindowPlace keptOnScreen(const WindowPlace& window, const std::vector<ScreenRect>& workAreas);

}  // namespace tabrix
