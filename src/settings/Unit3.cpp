// The Settings window: its build from config.ini, the links between its controls and the
// events the view reports.
#include "settings/Unit3.h"

#include <algorithm>

#include "settings/ColorText.h"
#include "settings/IniFile.h"

namespace tabrix {

namespace {
constexpr char kGeneral[] = "general";
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
    readGeneral();
    setChecks();
    // 7. and 8.
    fillDrives();
    previewed = false;
}

void TForm3::readGeneral() {
    IniFile ini(platform_.files, platform_.configPath());
    fontFace = ini.readString(kGeneral, "font", "Tahoma");
    fontSize = ini.readInteger(kGeneral, "fontsize", 8);
    fontColor = textToColor(ini.readString(kGeneral, "fontcolor", "ClBlack"));
    Label16.text = std::to_string(fontSize);
    Label18.text = fontFace;
    Label17.font.color = fontColor;
    ComboBox1.text = ini.readString(kGeneral, "skin", "N/A");
    setTrackBarPosition(std::clamp(ini.readInteger(kGeneral, "alpha", 255), 0, 255));
    Edit1.text = ini.readString(kGeneral, "savepath", "");
    ComboBox2.text = ini.readString(kGeneral, "Temp_label", "*C");
    ScrollBar1.min = 0;
    setScrollBarPosition(ini.readInteger(kGeneral, "ipinterface", 0));
    setEdit7Text(ini.readString(kGeneral, "ipinterface", "0"));
}

void TForm3::setChecks() {
    IniFile ini(platform_.files, platform_.configPath());
    auto text = [&](const char* key, const char* def) { return ini.readString(kGeneral, key, def); };
    CheckBox1.checked = text("transparent", "0") == "1";
    CheckBox2.checked = text("output", "0") == "1";
    CheckBox2Click();
    CheckBox3.checked = text("showbar", "1") == "1";
    CheckBox4.checked = text("ontop", "0") == "1";
    CheckBox7.checked = text("showip", "0") == "1";
    Edit2.text = text("ipinterval", "0");
    CheckBox7Click();
    CheckBox5.checked = text("enablexml", "0") == "1" && CheckBox2.checked;
    CheckBox6.checked = text("enablephp", "0") == "1" && CheckBox2.checked;
    CheckBox33.checked = text("enablejson", "0") == "1" && CheckBox2.checked;
    CheckBox8.checked = text("scrollenabled", "0") != "0";
    CheckBox9.checked = text("ShowUsed", "0") != "0";
    CheckBox10.checked = text("SelfDrawEnabled", "0") != "0";
    CheckBox25.checked = text("SysTrayIcon", "0") != "0";
    Edit3.text = text("winamppath", "0");
    Edit6.text = text("ipserver", "0");
    Edit4.text = std::to_string(ini.readInteger(kGeneral, "outputinterval", 0));
    Edit5.text = std::to_string(ini.readInteger(kGeneral, "winampbuttonsstay", 0));
    for (CheckBox* box : moduleBoxes()) {
        // The graphs came later: a config.ini without their key has them off.
        const char* def = box == &CheckBox32 ? "False" : "True";
        if (box != &CheckBox28) box->checked = ini.readString(kModules, box->name, def) == "True";
    }
    CheckBox26.checked = text("showbanner", "-1") == "-1";
    CheckBox28.checked = text("ShouldGetDisk", "1") == "1";
    CheckBox28Click();
    CheckBox29.checked = text("xpwinampicons", "1") == "1";
    CheckBox30.checked = ini.readInteger(kGeneral, "AllowPositionChange", 1) == 1;
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
    for (Control* c : std::initializer_list<Control*>{&Edit1, &Button8, &CheckBox5, &CheckBox6, &CheckBox33})
        c->enabled = on;
    if (!on) CheckBox5.checked = CheckBox6.checked = CheckBox33.checked = false;
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
