#include "windows/main/WindowDragging.h"

namespace tabrix {

bool WindowDragging::take(MouseButton button) {
    if (button_) return false;
    button_ = button;
    window_ = false;
    return true;
}

void WindowDragging::followPointer(Point pointer, Point corner) {
    if (!button_) return;
    window_ = true;
    offset_ = {pointer.x - corner.x, pointer.y - corner.y};
}

std::optional<Point> WindowDragging::corner(Point pointer) const {
    if (!button_ || !window_) return std::nullopt;
    return Point{pointer.x - offset_.x, pointer.y - offset_.y};
}

bool WindowDragging::release(MouseButton button) {
    if (!button_ || *button_ != button) return false;
    lost();
    return true;
}

void WindowDragging::lost() {
    button_.reset();
    window_ = false;
}

}  // namespace tabrix
