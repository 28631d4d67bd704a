// The Settings window's controls as designed: names, texts, places and sizes.
#include "settings/Unit3.h"

#include <algorithm>
#include <climits>

namespace tabrix {

namespace {

constexpr int kLabelHeight = 13;
constexpr int kCheckHeight = 17;
constexpr int kEditHeight = 21;
constexpr int kSmallButtonWidth = 33;

template <typename C>
C& at(C& c, const char* name, int left, int top, int width, int height) {
    c.name = name;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

// A caption sized to its text by the view, as an auto-sized label is.
Label& labelAt(Label& l, const char* name, const char* text, int left, int top, int width = 120) {
    at(l, name, left, top, width, kLabelHeight).text = text;
    return l;
}

CheckBox& box(CheckBox& c, const char* name, const char* text, int left, int top, int width) {
    at(c, name, left, top, width, kCheckHeight).caption = text;
    return c;
}

Button& button(Button& b, const char* name, const char* text, int left, int top,
               int width = kSmallButtonWidth, int height = kEditHeight) {
    at(b, name, left, top, width, height).text = text;
    return b;
}

}  // namespace

void TForm3::place(ControlKind kind, Control& control, int page) {
    controls_.push_back({kind, &control, page});
}

void TForm3::design() {
    // The frame: the white band with its text and icon, the rule under it.
    at(Shape1, "Shape1", 0, 0, 553, 57);
    place(ControlKind::Shape, Shape1, -1);
    labelAt(Label30, "Label30", "Here you can adjust the various functions of Tabrix.", 8, 8, 400);
    place(ControlKind::Label, Label30, -1);
    at(Image1, "Image1", 504, 8, 32, 32);
    place(ControlKind::Picture, Image1, -1);
    // Setting the window's size puts the rule directly under the band.
    at(Bevel1, "Bevel1", 0, Shape1.height, 553, 2);
    place(ControlKind::Bevel, Bevel1, -1);

    // The tab order: Close, the page control, Save.
    button(Button3, "Button3", "Close", 475, 360, 65, 25);
    place(ControlKind::Button, Button3, -1);
    at(PageControl1, "PageControl1", 0, 64, 545, 281).pages = {"General", "Advanced", "Modules"};
    place(ControlKind::Pages, PageControl1, -1);
    const char* pageIcons[] = {"Image2", "Image3", "Image4"};
    for (int page = 0; page < 3; ++page) {
        at(PageIcon[page], pageIcons[page], 504, 8, 24, 24).resourceId = 120 + page;
        place(ControlKind::Picture, PageIcon[page], page);
    }
    designGeneral();
    designAdvanced();
    designModules();
    button(Button1, "Button1", "Save", 400, 360, 65, 25);
    place(ControlKind::Button, Button1, -1);

    at(Bevel2, "Bevel2", 0, 352, 547, 2);
    place(ControlKind::Bevel, Bevel2, -1);
    labelAt(Label12, "Label12", "", 8, 356, 385).height = 29;
    Label12.wordWrap = true;
    Label12.autoSize = false;
    place(ControlKind::Label, Label12, -1);
}

void TForm3::designGeneral() {
    const int g = kGeneralPage;
    place(ControlKind::Label, labelAt(Label1, "Label1", "Skin", 8, 12), g);
    at(ComboBox1, "ComboBox1", 136, 8, 89, kEditHeight).items = {"Default"};
    place(ControlKind::ComboBox, ComboBox1, g);
    place(ControlKind::Label, labelAt(Label2, "Label2", "Transparency", 8, 36), g);
    place(ControlKind::CheckBox, box(CheckBox1, "CheckBox1", "", 211, 32, kCheckHeight), g);
    place(ControlKind::Label, labelAt(Label3, "Label3", "Alpha Transparency", 8, 60), g);
    at(TrackBar1, "TrackBar1", 128, 56, 105, 30);
    TrackBar1.max = 255;
    TrackBar1.frequency = 15;
    place(ControlKind::TrackBar, TrackBar1, g);
    place(ControlKind::Label, labelAt(Label4, "Label4", "File output active", 8, 92), g);
    place(ControlKind::CheckBox, box(CheckBox2, "CheckBox2", "", 211, 88, kCheckHeight), g);
    place(ControlKind::Label, labelAt(Label5, "Label5", "Show window", 8, 116), g);
    place(ControlKind::CheckBox, box(CheckBox3, "CheckBox3", "", 211, 112, kCheckHeight), g);
    place(ControlKind::Label, labelAt(Label6, "Label6", "Always on top", 8, 140), g);
    place(ControlKind::CheckBox, box(CheckBox4, "CheckBox4", "", 211, 136, kCheckHeight), g);
    place(ControlKind::Label, labelAt(Label7, "Label7", "Show External IP", 8, 164), g);
    place(ControlKind::CheckBox, box(CheckBox7, "CheckBox7", "", 211, 164, kCheckHeight), g);
    place(ControlKind::Label, labelAt(Label8, "Label8", "IP Interval (ms)", 8, 191), g);
    at(Edit2, "Edit2", 211, 188, 46, kEditHeight).text = "0";
    place(ControlKind::Edit, Edit2, g);
    place(ControlKind::Label, labelAt(Label9, "Label9", "File output", 8, 228, 60), g);
    place(ControlKind::Edit, at(Edit1, "Edit1", 74, 224, 233, kEditHeight), g);
    place(ControlKind::Button, button(Button8, "Button8", "...", 312, 224), g);
    place(ControlKind::CheckBox, box(CheckBox5, "CheckBox5", "XML", 352, 228, 49), g);
    place(ControlKind::CheckBox, box(CheckBox6, "CheckBox6", "PHP", 408, 228, 49), g);
    place(ControlKind::CheckBox, box(CheckBox33, "CheckBox33", "JSON", 464, 228, 49), g);

    place(ControlKind::Label, labelAt(Label10, "Label10", "Font Size:", 280, 48, 80), g);
    place(ControlKind::Label, labelAt(Label16, "Label16", "8", 368, 48, 80), g);
    place(ControlKind::Label, labelAt(Label11, "Label11", "Font Color:", 280, 72, 80), g);
    place(ControlKind::Label, labelAt(Label17, "Label17", "Colour Test", 368, 72, 80), g);
    place(ControlKind::Button, button(Button7, "Button7", "...", 456, 72), g);
    place(ControlKind::Label, labelAt(Label13, "Label13", "Font Family:", 280, 96, 80), g);
    place(ControlKind::Label, labelAt(Label18, "Label18", "Tahoma", 368, 96, 80), g);
    // The values change later: they keep their design widths, cut before the buttons.
    Label16.autoSize = Label17.autoSize = Label18.autoSize = false;
    place(ControlKind::Button, button(Button5, "Button5", "...", 456, 96), g);
    place(ControlKind::Label, labelAt(Label14, "Label14", "Run at startup", 280, 128, 160), g);
    place(ControlKind::Button, button(Button2, "Button2", "Ins", 456, 128), g);
    place(ControlKind::Button, button(Button4, "Button4", "Del", 494, 128), g);
    place(ControlKind::Label, labelAt(Label15, "Label15", "Enable scrolling", 280, 152, 160), g);
    place(ControlKind::CheckBox, box(CheckBox8, "CheckBox8", "", 472, 152, kCheckHeight), g);
}

void TForm3::designAdvanced() {
    const int a = kAdvancedPage;
    place(ControlKind::Label, labelAt(Label19, "Label19", "Winamp 2.x, 5.x Path", 8, 11), a);
    place(ControlKind::Edit, at(Edit3, "Edit3", 136, 8, 177, kEditHeight), a);
    place(ControlKind::Button, button(Button6, "Button6", "...", 320, 8), a);
    place(ControlKind::Label, labelAt(Label20, "Label20", "File output interval", 8, 34), a);
    place(ControlKind::Edit, at(Edit4, "Edit4", 136, 32, 41, kEditHeight), a);
    place(ControlKind::Label, labelAt(Label21, "Label21", "Winamp Controls", 8, 58), a);
    place(ControlKind::Edit, at(Edit5, "Edit5", 136, 56, 41, kEditHeight), a);
    place(ControlKind::Label, labelAt(Label22, "Label22", "IP Server location", 8, 82), a);
    place(ControlKind::Edit, at(Edit6, "Edit6", 136, 80, 177, kEditHeight), a);
    place(ControlKind::Label, labelAt(Label23, "Label23", "Show used memory", 8, 105), a);
    place(ControlKind::CheckBox, box(CheckBox9, "CheckBox9", "", 136, 103, kCheckHeight), a);
    place(ControlKind::Label, labelAt(Label24, "Label24", "Draw text", 8, 123), a);
    place(ControlKind::CheckBox, box(CheckBox10, "CheckBox10", "", 136, 120, kCheckHeight), a);
    place(ControlKind::Label, labelAt(Label25, "Label25", "Temperature label", 8, 142), a);
    at(ComboBox2, "ComboBox2", 136, 136, 65, kEditHeight).items = {"*C", "*F"};
    ComboBox2.text = "*C";
    place(ControlKind::ComboBox, ComboBox2, a);
    place(ControlKind::Label, labelAt(Label26, "Label26", "Show systray icon", 8, 162), a);
    place(ControlKind::CheckBox, box(CheckBox25, "CheckBox25", "", 136, 162, 16), a);
    place(ControlKind::Label, labelAt(Label27, "Label27", "Show banner", 8, 179), a);
    place(ControlKind::CheckBox, box(CheckBox26, "CheckBox26", "", 136, 179, 16), a);
    place(ControlKind::Label, labelAt(Label28, "Label28", "Use built in Winamp icons", 8, 195), a);
    place(ControlKind::CheckBox, box(CheckBox29, "CheckBox29", "", 136, 195, 16), a);
    place(ControlKind::Label, labelAt(Label29, "Label29", "Allow position change", 8, 211), a);
    place(ControlKind::CheckBox, box(CheckBox30, "CheckBox30", "", 136, 211, 16), a);
    for (CheckBox* c : {&CheckBox25, &CheckBox26, &CheckBox29, &CheckBox30}) c->height = 16;
}

void TForm3::designModules() {
    const int m = kModulesPage;
    struct Row {
        CheckBox* box;
        const char* name;
        const char* text;
    };
    const Row left[] = {
        {&CheckBox11, "CheckBox11", "CPU Usage"},       {&CheckBox12, "CheckBox12", "CPU Class"},
        {&CheckBox13, "CheckBox13", "Windows Version"}, {&CheckBox14, "CheckBox14", "Memory"},
        {&CheckBox15, "CheckBox15", "Memory Load"},     {&CheckBox16, "CheckBox16", "Virtual Memory"},
        {&CheckBox17, "CheckBox17", "Display"},         {&CheckBox18, "CheckBox18", "Uptime"},
        {&CheckBox19, "CheckBox19", "Connection"},      {&CheckBox20, "CheckBox20", "Name"}};
    const Row second[] = {
        {&CheckBox21, "CheckBox21", "MBM Temps"},       {&CheckBox22, "CheckBox22", "Current Song"},
        {&CheckBox23, "CheckBox23", "D/U Monitor"},     {&CheckBox24, "CheckBox24", "Battery Status"},
        {&CheckBox28, "CheckBox28", "Free Disk Space"}, {&CheckBox31, "CheckBox31", "CPU Name"},
        {&CheckBox32, "CheckBox32", "Graphs"}};
    int y = 8;
    for (const Row& r : left) {
        place(ControlKind::CheckBox, box(*r.box, r.name, r.text, 8, y, 121), m);
        y += 24;
    }
    y = 8;
    for (const Row& r : second) {
        place(ControlKind::CheckBox, box(*r.box, r.name, r.text, 144, y, r.box == &CheckBox23 ? 80 : 129), m);
        y += 24;
        // The interface chooser beside D/U Monitor comes next in the tab order.
        if (r.box == &CheckBox23) {
            at(ScrollBar1, "ScrollBar1", 224, 56, 17, 16);
            place(ControlKind::UpDown, ScrollBar1, m);
        }
    }
    // Beside "MBM Temps": the sensor pairs' source, as the main window last found it.
    place(ControlKind::Label, labelAt(Label32, "Label32", "", 280, 10, 220), m);
    Label32.autoSize = false;
    place(ControlKind::Label, labelAt(Label31, "Label31", "", 248, 56, 257), m);
    Label31.autoSize = false;
    at(Edit7, "Edit7", 224, 80, 17, kEditHeight).text = "0";
    Edit7.maxLength = 1;
    Edit7.visible = false;
    place(ControlKind::Edit, Edit7, m);
    at(ListBox1, "ListBox1", 280, 104, 161, 73).multiSelect = true;
    ListBox1.visible = false;
    place(ControlKind::ListBox, ListBox1, m);
}

namespace {

constexpr int kCaptionGap = 2;      // between a caption's text and the control beside it
constexpr int kCheckMarkRoom = 20;  // a check box's mark and the room before its caption

bool overlapsRow(const Control& a, const Control& b) {
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

}  // namespace

int TForm3::captionExtent(const PlacedControl& c) {
    const Font font;  // the window's Tahoma 8 pt
    if (c.kind == ControlKind::Label) {
        const auto& l = static_cast<const Label&>(*c.control);
        if (l.autoSize && !l.wordWrap) return platform_.text.measure(font, l.text).width;
    } else if (c.kind == ControlKind::CheckBox) {
        const auto& b = static_cast<const CheckBox&>(*c.control);
        if (!b.caption.empty()) return kCheckMarkRoom + platform_.text.measure(font, b.caption).width;
    }
    return 0;
}

// Captions are as wide as their texts in the window's font (Wine's Tahoma is wider than the
// one the window was laid out with). A caption that would reach the control beside it keeps
// its place, and that control moves right with the rest of its column.
void TForm3::fitCaptions() {
    std::vector<int> extents;
    for (const PlacedControl& c : controls_) {
        const int extent = captionExtent(c);
        extents.push_back(extent);
        if (extent == 0) continue;
        if (c.kind == ControlKind::Label)
            c.control->width = extent;
        else
            c.control->width = std::max(c.control->width, extent);
    }
    for (size_t i = 0; i < controls_.size(); ++i) {
        const PlacedControl& c = controls_[i];
        if (c.page < 0 || extents[i] == 0) continue;
        const Control& caption = *c.control;
        const Control* beside = nullptr;
        for (const PlacedControl& d : controls_)
            if (d.page == c.page && d.kind != ControlKind::Picture && d.control->visible &&
                d.control->left > caption.left && overlapsRow(caption, *d.control) &&
                (!beside || d.control->left < beside->left))
                beside = d.control;
        if (!beside) continue;
        const int overflow = caption.left + extents[i] + kCaptionGap - beside->left;
        if (overflow <= 0) continue;
        // The column: right of the caption up to the next captions, over the rows of the
        // captions that share this one's left edge.
        const int from = beside->left;
        int to = INT_MAX, top = caption.top, bottom = caption.top + caption.height;
        for (size_t j = 0; j < controls_.size(); ++j) {
            const Control& other = *controls_[j].control;
            if (controls_[j].page != c.page || extents[j] == 0) continue;
            if (other.left > from) to = std::min(to, other.left);
            if (other.left == caption.left) {
                top = std::min(top, other.top);
                bottom = std::max(bottom, other.top + other.height);
            }
        }
        for (const PlacedControl& d : controls_) {
            Control& moved = *d.control;
            if (d.page != c.page || d.kind == ControlKind::Picture || moved.left < from) continue;
            const bool inColumn = moved.left < to && moved.top < bottom && moved.top + moved.height > top;
            if (inColumn || overlapsRow(caption, moved)) moved.left += overflow;
        }
    }
}

std::vector<CheckBox*> TForm3::moduleBoxes() {
    return {&CheckBox11, &CheckBox12, &CheckBox13, &CheckBox14, &CheckBox15, &CheckBox16,
            &CheckBox17, &CheckBox18, &CheckBox19, &CheckBox20, &CheckBox21, &CheckBox22,
            &CheckBox23, &CheckBox24, &CheckBox28, &CheckBox31, &CheckBox32};
}

Control* TForm3::find(const std::string& name) {
    for (const PlacedControl& c : controls_)
        if (c.control->name == name) return c.control;
    return nullptr;
}

}  // namespace tabrix
