#pragma once
#include <optional>

#include "platform/ShellApi.h"

namespace tabrix {

enum class MouseButton { Left, Right, Middle };

// Who holds the mouse on the main window. A press starts one drag with its button: the
// window itself (a press on its background), a label or a graph. Presses of the other
// buttons meanwhile start nothing, and only that button's release, or the window losing the
// mouse, ends it. The window is moved by the program itself, not by the system's move loop,
// which ends only on a left release and swallows what reaches the thread meanwhile.
class WindowDragging {
public:
    bool held() const { return button_.has_value(); }
    // Takes the mouse for a drag this button begins; false while another drag holds it.
    bool take(MouseButton button);
    // The drag just taken moves the window: pointer and corner in screen coordinates.
    void followPointer(Point pointer, Point corner);
    // Where the window's corner goes for the pointer here; nothing unless the window is dragged.
    std::optional<Point> corner(Point pointer) const;
    // This button's release: true when it ended the drag.
    bool release(MouseButton button);
    // The mouse went elsewhere (another window took it, a menu opened): the drag ends.
    void lost();

private:
    std::optional<MouseButton> button_;
    bool window_ = false;
    Point offset_;  // from the window's corner to the pointer
};

}  // namespace tabrix
