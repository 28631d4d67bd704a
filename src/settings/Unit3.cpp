// The Settings window: its build from config.ini, the links between its controls and the
// events the view reports.
#include "settings/Unit3.h"

#include <algorithm>

#include "settings/ColorText.h"
#include "settings/IniFile.h"
#include "settings/SettingKeys.h"

namespace tabrix {

namespace {
constexpr char kModules[] = "Modules";
}  // namespace

TForm3::TForm3(Platform& platform, SettingsWindowOwner& owner) : platform_(platform), owner_(owner) {
    design();
    fitCaptions();
    // The stored design leaves the Modules page active.
    PageControl1.activePage = kModulesPage;
}

void TForm3::FormCreate() {
    // 1. icon, General page.
    Image1.resourceId = 1;
    PageControl1.activePage = kGeneralPage;
    // 2. to 4.
    interfaceRange = true;
    fillSkins();
    Label12.text = "Move your mouse over the labels to get more information.";
    // 5. and 6.
    // A bad fontcolor stops the reading there, before the check boxes' links.
    readGeneral();
    setChecks();
    // 7. and 8.
    fillDrives();
    previewed = false;
}

void TForm3::readGeneral() {
    IniFile ini(platform_.files, platform_.configPath());
    for (int i = 0; i < kSettingKeyCount; ++i)
        if (kSettingKeys[i].dialogDefault) readKey(ini, kSettingKeys[i]);
    Label16.text = std::to_string(fontSize);
    Label18.text = fontFace;
    Label17.font.color = fontColor;
    for (CheckBox* box : moduleBoxes()) {
        // The graphs came later: a config.ini without their key has them off.
        const char* def = box == &CheckBox32 ? "False" : "True";
        if (box != &CheckBox28) box->checked = ini.readString(kModules, box->name, def) == "True";
    }
}

// One key into its control. Change operations run as the values arrive: the slider's preview,
// the interface query.
void TForm3::readKey(const IniFile& ini, const SettingKeyRow& row) {
    const std::string def = row.dialogDefault;
    auto text = [&] { return ini.readString(row.section, row.name, def); };
    auto number = [&] { return ini.readInteger(row.section, row.name, integerDefault(row.dialogDefault)); };
    Control* control = row.control ? find(row.control) : nullptr;
    auto box = [&]() -> bool& { return static_cast<CheckBox*>(control)->checked; };
    switch (row.kind) {
        case KeyKind::Text:
        case KeyKind::Interval:
            setText(*control, text());
            break;
        case KeyKind::Number:
            setText(*control, std::to_string(number()));
            break;
        case KeyKind::Flag:
            box() = text() == "1";
            break;
        case KeyKind::FlagUnlessZero:
            box() = text() != "0";
            break;
        case KeyKind::FlagNumber:
            box() = number() == 1;
            break;
        case KeyKind::Banner:
            box() = text() == "-1";
            break;
        case KeyKind::FontFace:
            fontFace = text();
            break;
        case KeyKind::FontSize:
            fontSize = number();
            break;
        case KeyKind::FontColor:
            fontColor = textToColor(text());
            break;
        case KeyKind::Opacity:
            setTrackBarPosition(std::clamp(number(), 0, 255));
            break;
        case KeyKind::Interface:
            ScrollBar1.min = 0;
            setScrollBarPosition(number());
            setEdit7Text(text());
            break;
        case KeyKind::Other:
            break;
    }
}

// What the check boxes switch on and off follows them.
void TForm3::setChecks() {
    CheckBox2Click();
    CheckBox7Click();
    CheckBox28Click();
}

void TForm3::setText(Control& control, const std::string& text) {
    if (kindOf(control) == ControlKind::ComboBox)
        static_cast<ComboBox&>(control).text = text;
    else
        static_cast<Edit&>(control).text = text;
}

std::string TForm3::keyText(const SettingKeyRow& row, const std::string& ipInterval) const {
    const Control* control = row.control ? find(row.control) : nullptr;
    auto on = [&] { return static_cast<const CheckBox*>(control)->checked; };
    switch (row.kind) {
        case KeyKind::Text:
        case KeyKind::Number:
            if (kindOf(*control) == ControlKind::ComboBox) return static_cast<const ComboBox*>(control)->text;
            return static_cast<const Edit*>(control)->text;
        case KeyKind::Flag:
        case KeyKind::FlagUnlessZero:
        case KeyKind::FlagNumber:
            return on() ? "1" : "0";
        case KeyKind::Banner:
            return on() ? "-1" : "0";
        case KeyKind::FontFace:
            return fontFace;
        case KeyKind::FontSize:
            return std::to_string(fontSize);
        case KeyKind::FontColor:
            return colorToText(fontColor);
        case KeyKind::Opacity:
            return std::to_string(chosenOpacity.value_or(TrackBar1.position));
        case KeyKind::Interval:
            return ipInterval;
        case KeyKind::Interface:
            return Edit7.text;
        case KeyKind::Other:
            break;
    }
    return std::string();
}

void TForm3::Show() {
    visible = true;
    if (PageControl1.activePage == kModulesPage) TabSheet3Show();
}

void TForm3::FormKeyDown(int key) {
    if (key == kEscapeKey) Button3Click();
}

void TForm3::PageControl1Change(int page) {
    if (page < 0 || page >= static_cast<int>(PageControl1.pages.size())) return;
    PageControl1.activePage = page;
    pointerOver(PageControl1.name);
    if (page == kModulesPage) TabSheet3Show();
}

void TForm3::TabSheet3Show() {
    interfaceQuery();
}

void TForm3::Clicked(Control& control) {
    if (!control.enabled || !control.visible) return;
    const ControlKind kind = kindOf(control);
    if (kind == ControlKind::CheckBox) {
        auto* box = static_cast<CheckBox*>(&control);
        box->checked = !box->checked;
        if (box == &CheckBox2) CheckBox2Click();
        if (box == &CheckBox7) CheckBox7Click();
        if (box == &CheckBox10) CheckBox10Click();
        if (box == &CheckBox28) CheckBox28Click();
        return;
    }
    if (&control == &Button1) Button1Click();
    if (&control == &Button3) Button3Click();
    if (&control == &Button2) Button2Click();
    if (&control == &Button4) Button4Click();
    if (&control == &Button5) Button5Click();
    if (&control == &Button6) Button6Click();
    if (&control == &Button7) Button7Click();
    if (&control == &Button8) Button8Click();
}

void TForm3::TextChanged(Control& control, const std::string& text) {
    const ControlKind kind = kindOf(control);
    if (kind == ControlKind::Edit) {
        auto* edit = static_cast<Edit*>(&control);
        if (edit == &Edit7) {
            setEdit7Text(text);
            return;
        }
        edit->text = text;
    } else if (kind == ControlKind::ComboBox) {
        auto* combo = static_cast<ComboBox*>(&control);
        if (combo->text == text) return;
        combo->text = text;
        if (combo == &ComboBox1) ComboBox1Change();
    }
}

ControlKind TForm3::kindOf(const Control& control) const {
    for (const PlacedControl& c : controls_)
        if (c.control == &control) return c.kind;
    return ControlKind::Shape;
}

void TForm3::TrackBar1Moved(int position) {
    setTrackBarPosition(position);
}

void TForm3::ScrollBar1Moved(int position) {
    setScrollBarPosition(position);
}

void TForm3::ListBox1Selected(const std::vector<bool>& selected) {
    for (size_t i = 0; i < ListBox1.selected.size(); ++i)
        ListBox1.selected[i] = i < selected.size() && selected[i];
}

void TForm3::CheckBox2Click() {
    const bool on = CheckBox2.checked;
    for (Control* c : std::initializer_list<Control*>{&Edit1, &Button8, &CheckBox5, &CheckBox6})
        c->enabled = on;
    if (!on) CheckBox5.checked = CheckBox6.checked = false;
}

void TForm3::CheckBox7Click() {
    Edit2.enabled = CheckBox7.checked;
}

void TForm3::CheckBox28Click() {
    ListBox1.visible = CheckBox28.checked;
}

void TForm3::setTrackBarPosition(int position) {
    position = std::clamp(position, TrackBar1.min, TrackBar1.max);
    if (position == TrackBar1.position) return;
    TrackBar1.position = position;
    TrackBar1Change();
}

void TForm3::setScrollBarPosition(int position) {
    position = std::clamp(position, ScrollBar1.min, ScrollBar1.max);
    if (position == ScrollBar1.position) return;
    ScrollBar1.position = position;
    ScrollBar1Change();
}

void TForm3::setScrollBarRange(int min, int max) {
    ScrollBar1.min = min;
    ScrollBar1.max = max;
    // A position outside the new range moves into it, and that is a change.
    setScrollBarPosition(ScrollBar1.position);
}

void TForm3::setEdit7Text(const std::string& text) {
    // The one-character limit holds for typing only, as in any text field.
    if (text == Edit7.text) return;
    Edit7.text = text;
    Edit7Change();
}

void TForm3::ScrollBar1Change() {
    setEdit7Text(std::to_string(ScrollBar1.position));
}

void TForm3::Edit7Change() {
    interfaceQuery();
}

}  // namespace tabrix
