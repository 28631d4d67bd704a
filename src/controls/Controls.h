#pragma once
#include <string>
#include <vector>

#include "platform/Font.h"
#include "platform/Pixels.h"
#include "platform/WindowsNumbers.h"

// The form-control model every window of the program is made of: plain data that the
// behaviour sets and the Win32 views map onto real windows, controls and timers.
namespace tabrix {

enum class Align { Left, Right, Center };

// What every control has: its component name, its place in its parent and its state.
struct Control {
    std::string name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    bool enabled = true;
};

// A text label: on the main window painted by the window itself, transparent over the
// skin unless opaque, auto-sized to its text; on a dialog a static text control.
struct Label : Control {
    std::string text;
    Font font;
    int drawMark = 2;  // 2: painted in self-draw mode, 1: not
    Align align = Align::Left;
    bool autoSize = true;
    bool opaque = false;    // white background instead of the skin showing through
    bool wordWrap = false;  // breaks its lines at the width (dialog labels)
};

// A picture component: its bitmap (empty until loaded) and its place.
struct Picture : Control {
    Pixels bitmap;
    int resourceId = 0;  // the built-in design picture, drawn when no bitmap is loaded
};

// A window-message timer: the view maps it to SetTimer/KillTimer. Period 0 never fires.
struct Timer {
    std::string name;
    unsigned interval = 0;
    bool enabled = false;
    // Started only by this other timer's handler and of the same interval: while both run it
    // keeps that timer's beat, firing right after it, so that the two make one wake-up and
    // one repaint a period instead of two.
    const Timer* beat = nullptr;

    bool fires() const { return enabled && interval > 0; }
    bool ridesBeat() const { return fires() && beat && beat->fires() && beat->interval == interval; }
};

struct Button : Control {
    std::string text;
};

// A horizontal rule: a lowered line two pixels high.
struct Bevel : Control {};

struct CheckBox : Control {
    std::string caption;
    bool checked = false;
};

// A one-line text field; maxLength 0 means no limit.
struct Edit : Control {
    std::string text;
    int maxLength = 0;
};

// A drop-down list; an editable one has a text of its own that need not be an item.
struct ComboBox : Control {
    std::string text;
    std::vector<std::string> items;
    bool editable = true;
};

// A list whose entries can be selected one at a time or several at once.
struct ListBox : Control {
    std::vector<std::string> items;
    std::vector<bool> selected;  // one flag per item
    bool multiSelect = false;
};

// A horizontal slider with tick marks every `frequency` positions.
struct TrackBar : Control {
    int min = 0;
    int max = 10;
    int position = 0;
    int frequency = 1;
};

// A vertical up/down control. Its upper arrow moves towards min, its lower towards max.
struct UpDown : Control {
    int min = 0;
    int max = 100;
    int position = 0;
};

// A filled rectangle without outline.
struct Shape : Control {
    uint32_t color = 0xFFFFFF;
};

// Tabbed pages; the controls that sit on a page say so themselves.
struct PageControl : Control {
    std::vector<std::string> pages;  // tab captions, in order
    int activePage = 0;
};

}  // namespace tabrix
