#pragma once
#include <string>
#include <vector>

#include "platform/Pixels.h"
#include "platform/Platform.h"

namespace tabrix {

enum class Align { Left, Right, Center };

// A text label of the main window: painted by the window itself, transparent over the
// skin unless opaque, auto-sized to its text.
struct Label {
    std::string name;
    std::string text;
    bool visible = true;
    int left = 0;
    int top = 0;
    int width = 0;   // from the text and font while autoSize is on
    int height = 0;
    Font font;
    int drawMark = 2;  // 2: painted in self-draw mode, 1: not
    Align align = Align::Left;
    bool autoSize = true;
    bool opaque = false;  // white background instead of the skin showing through
};

// A picture component: its bitmap (empty until loaded) and its place.
struct Picture {
    std::string name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    Pixels bitmap;
    int resourceId = 0;  // the built-in design picture, drawn when no bitmap is loaded
};

// A window-message timer: the view maps it to SetTimer/KillTimer. Period 0 never fires.
struct Timer {
    std::string name;
    unsigned interval = 0;
    bool enabled = false;

    bool fires() const { return enabled && interval > 0; }
};

}  // namespace tabrix
