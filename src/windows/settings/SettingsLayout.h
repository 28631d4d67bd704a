#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "platform/Platform.h"

namespace tabrix {

// The kinds of control the Settings window is made of; the view creates one system control each.
enum class ControlKind {
    Label,
    Picture,
    Shape,
    Bevel,
    Button,
    CheckBox,
    Edit,
    ComboBox,
    ListBox,
    TrackBar,
    UpDown,
    Pages
};

// One control of the window, where it sits: -1 on the window itself, else its page.
struct PlacedControl {
    ControlKind kind;
    Control* control;
    int page;
};

// One row of the layout: a control's kind, component name, page, place, size and its text
// (a label's or button's text, a check box's caption).
struct LayoutRow {
    ControlKind kind;
    const char* name;
    int page;
    int left;
    int top;
    int width;
    int height;
    const char* text;
};

// The Settings window's controls as designed, made from the layout rows and found by their
// component names: the names config.ini's keys and the tests use.
class SettingsLayout {
public:
    SettingsLayout();
    SettingsLayout(const SettingsLayout&) = delete;
    SettingsLayout& operator=(const SettingsLayout&) = delete;

    // Every control, in creation and tab order.
    const std::vector<PlacedControl>& controls() const { return controls_; }
    // nullptr: no control of that name.
    Control* find(const std::string& name) const;
    ControlKind kindOf(const Control& control) const;
    // A control the layout is known to have, as its kind.
    template <typename C>
    C& get(const std::string& name) const {
        return static_cast<C&>(*find(name));
    }
    // The check boxes of one page, in page order.
    std::vector<CheckBox*> boxesOn(int page) const;

    // Captions as wide as their texts in the window's font at dpi; see the definition.
    void fitCaptions(TextMeasure& text, int dpi);

private:
    void add(const LayoutRow& row);
    void setDetails();

    std::vector<std::shared_ptr<Control>> owned_;
    std::vector<PlacedControl> controls_;
};

}  // namespace tabrix
