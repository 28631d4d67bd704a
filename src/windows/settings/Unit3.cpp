// The Settings window: its build from config.ini, the links between its controls and the
// events the view reports.
#include "windows/settings/Unit3.h"

#include <algorithm>

#include "config/IntegerText.h"
#include "controls/Scale.h"
#include "platform/NetworkApi.h"

namespace tabrix {

namespace {

constexpr char kDefaultHelp[] = "Move your mouse over the labels to get more information.";
constexpr char kInvalidInput[] = "Invalid Input!";

// The buttons the pickers answer.
struct PickerButton {
    const char* name;
    void (SettingsPickers::*click)();
};
const PickerButton kPickerButtons[] = {
    {"Button2", &SettingsPickers::Button2Click}, {"Button4", &SettingsPickers::Button4Click},
    {"Button5", &SettingsPickers::Button5Click}, {"Button6", &SettingsPickers::Button6Click},
    {"Button7", &SettingsPickers::Button7Click}, {"Button8", &SettingsPickers::Button8Click},
    {"Button9", &SettingsPickers::Button9Click},
};

}  // namespace

TForm3::TForm3(Platform& platform, SettingsWindowOwner& owner) : platform_(platform), owner_(owner) {
    layout.fitCaptions(platform_.text, Scale(platform_.desktop.screenDpi()).dpi());
    // The stored design leaves the Modules page active.
    control<PageControl>("PageControl1").activePage = kModulesPage;
}

void TForm3::FormCreate() {
    // 1. icon, General page.
    control<Picture>("Image1").resourceId = 1;
    control<PageControl>("PageControl1").activePage = kGeneralPage;
    // 2. to 4.
    interfaceRange = true;
    pickers.fillSkins();
    control<Label>("Label12").text = kDefaultHelp;
    // 5. and 6. A bad fontcolor stops the reading there, before the check boxes' links.
    const SettingsDraft::Moved moved = draft.read();
    control<Label>("Label16").text = std::to_string(draft.fontSize);
    control<Label>("Label18").text = draft.fontFace;
    control<Label>("Label17").font.color = draft.fontColor;
    setTrackBarPosition(std::clamp(moved.opacity, 0, 255));
    control<UpDown>("ScrollBar1").min = 0;
    setScrollBarPosition(moved.interfaceNumber);
    setEdit7Text(moved.interfaceText);
    checkBoxLinks();
    // 7. and 8.
    pickers.fillDrives();
    previewed = false;
}

void TForm3::Show() {
    visible = true;
    if (control<PageControl>("PageControl1").activePage == kModulesPage) interfaceQuery();
}

void TForm3::FormKeyDown(int key) {
    if (key == kEscapeKey) Button3Click();
}

void TForm3::PageControl1Change(int page) {
    auto& pages = control<PageControl>("PageControl1");
    if (page < 0 || page >= static_cast<int>(pages.pages.size())) return;
    pages.activePage = page;
    pointerOver(pages.name);
    if (page == kModulesPage) interfaceQuery();
}

void TForm3::Clicked(Control& clicked) {
    if (!clicked.enabled || !clicked.visible) return;
    if (layout.kindOf(clicked) == ControlKind::CheckBox) {
        auto& box = static_cast<CheckBox&>(clicked);
        box.checked = !box.checked;
        checkBoxLinks();
        return;
    }
    if (clicked.name == "Button1") Button1Click();
    if (clicked.name == "Button3") Button3Click();
    for (const PickerButton& b : kPickerButtons)
        if (clicked.name == b.name) (pickers.*b.click)();
}

void TForm3::TextChanged(Control& changed, const std::string& text) {
    const ControlKind kind = layout.kindOf(changed);
    if (kind == ControlKind::Edit) {
        if (changed.name == "Edit7") {
            setEdit7Text(text);
            return;
        }
        static_cast<Edit&>(changed).text = text;
    } else if (kind == ControlKind::ComboBox) {
        auto& combo = static_cast<ComboBox&>(changed);
        if (combo.text == text) return;
        combo.text = text;
        if (combo.name == "ComboBox1") ComboBox1Change();
    }
}

void TForm3::TrackBar1Moved(int position) {
    setTrackBarPosition(position);
}

void TForm3::ScrollBar1Moved(int position) {
    setScrollBarPosition(position);
}

void TForm3::ListBox1Selected(const std::vector<bool>& selected) {
    auto& list = control<ListBox>("ListBox1");
    for (size_t i = 0; i < list.selected.size(); ++i) list.selected[i] = i < selected.size() && selected[i];
}

void TForm3::checkBoxLinks() {
    // Output on enables its path and formats; off clears the formats too.
    const bool output = control<CheckBox>("CheckBox2").checked;
    for (const char* name :
         {"Edit1", "Button8", "CheckBox5", "CheckBox6", "CheckBox33", "CheckBox35", "Edit8", "Button9"})
        layout.find(name)->enabled = output;
    if (!output)
        for (const char* format : {"CheckBox5", "CheckBox6", "CheckBox33", "CheckBox35"})
            control<CheckBox>(format).checked = false;
    control<Edit>("Edit2").enabled = control<CheckBox>("CheckBox7").checked;
    control<ListBox>("ListBox1").visible = control<CheckBox>("CheckBox28").checked;
}

void TForm3::setTrackBarPosition(int position) {
    auto& bar = control<TrackBar>("TrackBar1");
    position = std::clamp(position, bar.min, bar.max);
    if (position == bar.position) return;
    bar.position = position;
    TrackBar1Change();
}

void TForm3::setScrollBarPosition(int position) {
    auto& upDown = control<UpDown>("ScrollBar1");
    position = std::clamp(position, upDown.min, upDown.max);
    if (position == upDown.position) return;
    upDown.position = position;
    ScrollBar1Change();
}

void TForm3::setEdit7Text(const std::string& text) {
    // The one-character limit holds for typing only, as in any text field.
    auto& edit = control<Edit>("Edit7");
    if (text == edit.text) return;
    edit.text = text;
    Edit7Change();
}

void TForm3::ScrollBar1Change() {
    setEdit7Text(std::to_string(control<UpDown>("ScrollBar1").position));
}

void TForm3::Edit7Change() {
    interfaceQuery();
}

void TForm3::interfaceQuery() {
    std::vector<InterfaceRow> rows;
    const InterfaceTableResult result = platform_.network.interfaceTable(rows);
    if (result == InterfaceTableResult::NoLibrary) return;
    if (result == InterfaceTableResult::NoFunction) {
        visible = false;
        return;
    }
    if (interfaceRange) {
        interfaceRange = false;
        auto& upDown = control<UpDown>("ScrollBar1");
        upDown.min = 0;
        upDown.max = 5;
        // A position outside the new range moves into it, and that is a change.
        setScrollBarPosition(upDown.position);
    }
    if (result != InterfaceTableResult::Ok) return;
    auto& description = control<Label>("Label31");
    std::int32_t n = 0;
    if (!textToInteger(control<Edit>("Edit7").text, n)) {
        description.text = kInvalidInput;
        return;
    }
    // A row the system did not return has no description.
    description.text = n >= 0 && static_cast<size_t>(n) < rows.size() ? rows[n].description : std::string();
    const size_t zero = description.text.find('\0');
    if (zero != std::string::npos) description.text.resize(zero);
}

}  // namespace tabrix
