// The Settings window's controls as designed: one row each with name, page, place, size and
// text, in creation and tab order; then the few details a row does not hold, and the captions
// fitted to their texts.
#include "windows/settings/SettingsLayout.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "controls/Scale.h"

namespace tabrix {

namespace {

constexpr int kLabelHeight = 13;
constexpr int kCheckHeight = 17;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 33;
constexpr int kLabelWidth = 120;  // a caption's width before it is fitted to its text
constexpr int kFrame = -1;
constexpr int kGeneral = 0;
constexpr int kAdvanced = 1;
constexpr int kModules = 2;

using K = ControlKind;

// A caption on a page, sized to its text later.
constexpr LayoutRow caption(const char* name, int page, const char* text, int left, int top,
                            int width = kLabelWidth) {
    return {K::Label, name, page, left, top, width, kLabelHeight, text};
}

constexpr LayoutRow box(const char* name, int page, const char* text, int left, int top, int width,
                        int height = kCheckHeight) {
    return {K::CheckBox, name, page, left, top, width, height, text};
}

constexpr LayoutRow button(const char* name, int page, const char* text, int left, int top) {
    return {K::Button, name, page, left, top, kButtonWidth, kEditHeight, text};
}

constexpr LayoutRow edit(const char* name, int page, int left, int top, int width) {
    return {K::Edit, name, page, left, top, width, kEditHeight, ""};
}

// The Modules page's two columns of check boxes, 24 pixels apart.
constexpr LayoutRow moduleBox(const char* name, const char* text, int column, int row, int width = 0) {
    return box(name, kModules, text, column == 0 ? 8 : 144, 8 + 24 * row,
               width         ? width
               : column == 0 ? 121
                             : 129);
}

const LayoutRow kLayout[] = {
    // The frame: the white band with its text and icon, the rule under it.
    {K::Shape, "Shape1", kFrame, 0, 0, 553, 57, ""},
    caption("Label30", kFrame, "Here you can adjust the various functions of Tabrix.", 8, 8, 400),
    {K::Picture, "Image1", kFrame, 504, 8, 32, 32, ""},
    // Setting the window's size puts the rule directly under the band.
    {K::Bevel, "Bevel1", kFrame, 0, 57, 553, 2, ""},
    // The tab order: Close, the page control, Save.
    {K::Button, "Button3", kFrame, 475, 360, 65, 25, "Close"},
    {K::Pages, "PageControl1", kFrame, 0, 64, 545, 281, ""},
    {K::Picture, "Image2", kGeneral, 504, 8, 24, 24, ""},
    {K::Picture, "Image3", kAdvanced, 504, 8, 24, 24, ""},
    {K::Picture, "Image4", kModules, 504, 8, 24, 24, ""},

    caption("Label1", kGeneral, "Skin", 8, 12),
    // Wide enough for a skin's whole file name ("Graphite.bmp") beside the drop-down button.
    {K::ComboBox, "ComboBox1", kGeneral, 136, 8, 121, kEditHeight, ""},
    caption("Label2", kGeneral, "Transparency", 8, 36),
    box("CheckBox1", kGeneral, "", 211, 32, kCheckHeight),
    caption("Label3", kGeneral, "Alpha Transparency", 8, 60),
    {K::TrackBar, "TrackBar1", kGeneral, 128, 56, 105, 30, ""},
    caption("Label4", kGeneral, "File output active", 8, 92),
    box("CheckBox2", kGeneral, "", 211, 88, kCheckHeight),
    caption("Label5", kGeneral, "Show window", 8, 116),
    box("CheckBox3", kGeneral, "", 211, 112, kCheckHeight),
    caption("Label6", kGeneral, "Always on top", 8, 140),
    box("CheckBox4", kGeneral, "", 211, 136, kCheckHeight),
    caption("Label7", kGeneral, "Show External IP", 8, 164),
    box("CheckBox7", kGeneral, "", 211, 164, kCheckHeight),
    caption("Label8", kGeneral, "IP Interval (ms)", 8, 191),
    edit("Edit2", kGeneral, 211, 188, 46),
    caption("Label9", kGeneral, "File output", 8, 228, 60),
    edit("Edit1", kGeneral, 74, 224, 233),
    button("Button8", kGeneral, "...", 312, 224),
    box("CheckBox5", kGeneral, "XML", 352, 228, 49),
    box("CheckBox6", kGeneral, "PHP", 408, 228, 49),
    box("CheckBox33", kGeneral, "JSON", 464, 228, 49),
    caption("Label10", kGeneral, "Font Size:", 280, 48, 80),
    caption("Label16", kGeneral, "8", 368, 48, 80),
    caption("Label11", kGeneral, "Font Color:", 280, 72, 80),
    caption("Label17", kGeneral, "Colour Test", 368, 72, 80),
    button("Button7", kGeneral, "...", 456, 72),
    caption("Label13", kGeneral, "Font Family:", 280, 96, 80),
    caption("Label18", kGeneral, "Tahoma", 368, 96, 80),
    button("Button5", kGeneral, "...", 456, 96),
    caption("Label14", kGeneral, "Run at startup", 280, 128, 160),
    button("Button2", kGeneral, "Ins", 456, 128),
    button("Button4", kGeneral, "Del", 494, 128),
    caption("Label15", kGeneral, "Enable scrolling", 280, 152, 160),
    box("CheckBox8", kGeneral, "", 472, 152, kCheckHeight),
    // The metrics file has a path of its own (an exporter's folder), under the font column.
    box("CheckBox35", kGeneral, "Prometheus metrics", 280, 174, 160),
    edit("Edit8", kGeneral, 280, 196, 169),
    button("Button9", kGeneral, "...", 456, 196),

    caption("Label19", kAdvanced, "Winamp 2.x, 5.x Path", 8, 11),
    edit("Edit3", kAdvanced, 136, 8, 177),
    button("Button6", kAdvanced, "...", 320, 8),
    caption("Label20", kAdvanced, "File output interval", 8, 34),
    edit("Edit4", kAdvanced, 136, 32, 41),
    caption("Label21", kAdvanced, "Winamp Controls", 8, 58),
    edit("Edit5", kAdvanced, 136, 56, 41),
    caption("Label22", kAdvanced, "IP Server location", 8, 82),
    edit("Edit6", kAdvanced, 136, 80, 177),
    caption("Label23", kAdvanced, "Show used memory", 8, 105),
    box("CheckBox9", kAdvanced, "", 136, 103, kCheckHeight),
    caption("Label24", kAdvanced, "Draw text", 8, 123),
    box("CheckBox10", kAdvanced, "", 136, 120, kCheckHeight),
    caption("Label25", kAdvanced, "Temperature label", 8, 142),
    {K::ComboBox, "ComboBox2", kAdvanced, 136, 136, 65, kEditHeight, ""},
    caption("Label26", kAdvanced, "Show systray icon", 8, 162),
    box("CheckBox25", kAdvanced, "", 136, 162, 16, 16),
    caption("Label27", kAdvanced, "Show banner", 8, 179),
    box("CheckBox26", kAdvanced, "", 136, 179, 16, 16),
    caption("Label28", kAdvanced, "Use built in Winamp icons", 8, 195),
    box("CheckBox29", kAdvanced, "", 136, 195, 16, 16),
    caption("Label29", kAdvanced, "Allow position change", 8, 211),
    box("CheckBox30", kAdvanced, "", 136, 211, 16, 16),
    // Newer than the rows above: its caption is its own, so the column keeps its place.
    box("CheckBox34", kAdvanced, "Hide over full-screen programs", 8, 230, 250),

    // In page order, which is the order Save writes the [Modules] keys in.
    moduleBox("CheckBox11", "CPU Usage", 0, 0),
    moduleBox("CheckBox12", "CPU Class", 0, 1),
    moduleBox("CheckBox13", "Windows Version", 0, 2),
    moduleBox("CheckBox14", "Memory", 0, 3),
    moduleBox("CheckBox15", "Memory Load", 0, 4),
    moduleBox("CheckBox16", "Virtual Memory", 0, 5),
    moduleBox("CheckBox17", "Display", 0, 6),
    moduleBox("CheckBox18", "Uptime", 0, 7),
    moduleBox("CheckBox19", "Connection", 0, 8),
    moduleBox("CheckBox20", "Name", 0, 9),
    moduleBox("CheckBox21", "MBM Temps", 1, 0),
    moduleBox("CheckBox22", "Current Song", 1, 1),
    moduleBox("CheckBox23", "D/U Monitor", 1, 2, 80),
    // The interface chooser beside D/U Monitor comes next in the tab order; as high as an edit,
    // centred on the box's row, so its arrows are not squeezed at a larger scale.
    {K::UpDown, "ScrollBar1", kModules, 228, 54, 17, kEditHeight, ""},
    moduleBox("CheckBox24", "Battery Status", 1, 3),
    moduleBox("CheckBox28", "Free Disk Space", 1, 4),
    moduleBox("CheckBox31", "CPU Name", 1, 5),
    moduleBox("CheckBox32", "Graphs", 1, 6),
    // Beside "MBM Temps": the sensor pairs' source, as the main window last found it.
    caption("Label32", kModules, "", 280, 10, 220),
    // Beside "Current Song": the player the song line follows.
    caption("Label33", kModules, "", 280, 34, 220),
    caption("Label31", kModules, "", 252, 56, 257),
    {K::Edit, "Edit7", kModules, 224, 80, 17, kEditHeight, ""},
    {K::ListBox, "ListBox1", kModules, 280, 104, 161, 73, ""},

    {K::Button, "Button1", kFrame, 400, 360, 65, 25, "Save"},
    {K::Bevel, "Bevel2", kFrame, 0, 352, 547, 2, ""},
    {K::Label, "Label12", kFrame, 8, 356, 385, 29, ""},  // the help line
};

template <typename C>
std::shared_ptr<C> made() {
    return std::make_shared<C>();
}

std::shared_ptr<Control> make(const LayoutRow& row) {
    switch (row.kind) {
        case K::Label: {
            auto label = made<Label>();
            label->text = row.text;
            return label;
        }
        case K::Button: {
            auto button = made<Button>();
            button->text = row.text;
            return button;
        }
        case K::CheckBox: {
            auto box = made<CheckBox>();
            box->caption = row.text;
            return box;
        }
        case K::Picture:
            return made<Picture>();
        case K::Shape:
            return made<Shape>();
        case K::Bevel:
            return made<Bevel>();
        case K::Edit:
            return made<Edit>();
        case K::ComboBox:
            return made<ComboBox>();
        case K::ListBox:
            return made<ListBox>();
        case K::TrackBar:
            return made<TrackBar>();
        case K::UpDown:
            return made<UpDown>();
        case K::Pages:
            break;
    }
    return made<PageControl>();
}

}  // namespace

SettingsLayout::SettingsLayout() {
    owned_.reserve(std::size(kLayout));
    for (const LayoutRow& row : kLayout) add(row);
    setDetails();
}

void SettingsLayout::add(const LayoutRow& row) {
    owned_.push_back(make(row));
    Control* c = owned_.back().get();
    c->name = row.name;
    c->left = row.left;
    c->top = row.top;
    c->width = row.width;
    c->height = row.height;
    controls_.push_back({row.kind, c, row.page});
}

void SettingsLayout::setDetails() {
    get<PageControl>("PageControl1").pages = {"General", "Advanced", "Modules"};
    const char* pageIcons[] = {"Image2", "Image3", "Image4"};
    for (int page = 0; page < 3; ++page) get<Picture>(pageIcons[page]).resourceId = 120 + page;
    get<ComboBox>("ComboBox1").items = {"Default"};
    auto& bar = get<TrackBar>("TrackBar1");
    bar.max = 255;
    bar.frequency = 15;
    get<Edit>("Edit2").text = "0";
    auto& temperature = get<ComboBox>("ComboBox2");
    temperature.items = {"*C", "*F"};
    temperature.text = "*C";
    // The values change later: they keep their design widths, cut before the buttons.
    for (const char* value : {"Label16", "Label17", "Label18", "Label31", "Label32", "Label12"})
        get<Label>(value).autoSize = false;
    get<Label>("Label12").wordWrap = true;
    auto& interfaceNumber = get<Edit>("Edit7");
    interfaceNumber.text = "0";
    interfaceNumber.maxLength = 1;
    interfaceNumber.visible = false;
    auto& drives = get<ListBox>("ListBox1");
    drives.multiSelect = true;
    drives.visible = false;
}

Control* SettingsLayout::find(const std::string& name) const {
    for (const PlacedControl& c : controls_)
        if (c.control->name == name) return c.control;
    return nullptr;
}

ControlKind SettingsLayout::kindOf(const Control& control) const {
    for (const PlacedControl& c : controls_)
        if (c.control == &control) return c.kind;
    return ControlKind::Shape;
}

std::vector<CheckBox*> SettingsLayout::boxesOn(int page) const {
    std::vector<CheckBox*> boxes;
    for (const PlacedControl& c : controls_)
        if (c.page == page && c.kind == ControlKind::CheckBox)
            boxes.push_back(static_cast<CheckBox*>(c.control));
    return boxes;
}

namespace {

constexpr int kCaptionGap = 6;      // between a caption's text and the control beside it
constexpr int kCheckMarkRoom = 20;  // a check box's mark and the room before its caption

bool overlapsRow(const Control& a, const Control& b) {
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

// 0: not a caption. Measured in the font the window shows at the screen's resolution and
// given in design units, rounded up: a font does not grow exactly with the scale.
int captionExtent(TextMeasure& text, const PlacedControl& c, int dpi) {
    Font font;  // the window's Tahoma 8 pt
    font.height = pointsToHeight(8, dpi);
    auto width = [&](const std::string& s) {
        const long long device = text.measure(font, s).width;
        return static_cast<int>((device * Scale::kDesignDpi + dpi - 1) / dpi);
    };
    if (c.kind == ControlKind::Label) {
        const auto& l = static_cast<const Label&>(*c.control);
        if (l.autoSize && !l.wordWrap) return width(l.text);
    } else if (c.kind == ControlKind::CheckBox) {
        const auto& b = static_cast<const CheckBox&>(*c.control);
        if (!b.caption.empty()) return kCheckMarkRoom + width(b.caption);
    }
    return 0;
}

}  // namespace

// Captions are as wide as their texts in the window's font (Wine's Tahoma is wider than the
// one the window was laid out with). A caption that would reach the control beside it keeps
// its place, and that control moves right with the rest of its column.
void SettingsLayout::fitCaptions(TextMeasure& text, int dpi) {
    if (dpi <= 0) dpi = Scale::kDesignDpi;
    std::vector<int> extents;
    for (const PlacedControl& c : controls_) {
        const int extent = captionExtent(text, c, dpi);
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
    // A value moved right keeps clear of the page's picture (which stays in its corner): its
    // text is cut there instead.
    for (const PlacedControl& p : controls_) {
        if (p.kind != ControlKind::Picture || p.page < 0) continue;
        for (const PlacedControl& d : controls_) {
            Control& value = *d.control;
            if (d.page != p.page || d.kind != ControlKind::Label || !overlapsRow(value, *p.control) ||
                value.left >= p.control->left)
                continue;
            value.width = std::min(value.width, p.control->left - kCaptionGap - value.left);
        }
    }
}

}  // namespace tabrix
