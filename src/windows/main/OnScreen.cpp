#include "windows/main/OnScreen.h"

#include <algorithm>
#include <cstdint>

namespace tabrix {
namespace {

// The window's edges in 64 bits: a saved position may be anywhere in the 32-bit range.
struct Edges {
    int64_t left, top, right, bottom;
};

bool overlaps(const Edges& w, const ScreenRect& a) {
    return w.left < a.right && a.left < w.right && w.top < a.bottom && a.top < w.bottom;
}

// Pixels between two ranges along one axis; 0 when they meet or overlap.
double gap(int64_t aStart, int64_t aEnd, int bStart, int bEnd) {
    return static_cast<double>(std::max<int64_t>({0, bStart - aEnd, aStart - bEnd}));
}

double distanceSquared(const Edges& w, const ScreenRect& a) {
    const double dx = gap(w.left, w.right, a.left, a.right);
    const double dy = gap(w.top, w.bottom, a.top, a.bottom);
    return dx * dx + dy * dy;
}

// The start that puts [start, start + size) inside [low, high), as near the old one as can be.
int fitInside(int start, int size, int low, int high) {
    if (int64_t(size) >= int64_t(high) - low) return low;
    return static_cast<int>(std::min<int64_t>(std::max(start, low), int64_t(high) - size));
}

}  // namespace

WindowPlace keptOnScreen(const WindowPlace& window, const std::vector<ScreenRect>& workAreas) {
    if (workAreas.empty()) return window;
    const Edges w{window.left, window.top, int64_t(window.left) + window.width,
                  int64_t(window.top) + window.height};
    for (const ScreenRect& area : workAreas)
        if (overlaps(w, area)) return window;
    const ScreenRect* nearest = &workAreas.front();
    for (const ScreenRect& area : workAreas)
        if (distanceSquared(w, area) < distanceSquared(w, *nearest)) nearest = &area;
    WindowPlace moved = window;
    moved.left = fitInside(window.left, window.width, nearest->left, nearest->right);
    moved.top = fitInside(window.top, window.height, nearest->top, nearest->bottom);
    return moved;
}

}  // namespace tabrix
