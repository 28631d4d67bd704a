// The Settings window's draft of config.ini: the controls read from the file by its key
// table, the one check before Save, and Save itself (config.ini and drives.inf, all or nothing).
#include <algorithm>

#include "config/ColorText.h"
#include "config/DrivesFile.h"
#include "config/IniFile.h"
#include "config/IniText.h"
#include "config/IntegerText.h"
#include "config/SettingKeys.h"
#include "platform/Error.h"
#include "platform/SettingsApi.h"
#include "sources/Traffic.h"
#include "windows/settings/Unit3.h"

namespace tabrix {

namespace {

constexpr int kShortestIpInterval = 60000;

// The Modules page's boxes have a row for their family, and the graphs' box one of its own.
const SettingKeyRow& moduleRow(const std::string& box) {
    const SettingKeyRow& graphs = settingKey(SettingKey::Graphs);
    return box == graphs.name ? graphs : settingKey(SettingKey::Module);
}

std::string& textOf(const SettingsLayout& layout, Control& control) {
    if (layout.kindOf(control) == ControlKind::ComboBox) return static_cast<ComboBox&>(control).text;
    return static_cast<Edit&>(control).text;
}

}  // namespace

SettingsDraft::Moved SettingsDraft::read() {
    IniFile ini(platform_.files, platform_.configPath());
    Moved moved;
    for (int i = 0; i < kSettingKeyCount; ++i) {
        const SettingKeyRow& row = kSettingKeys[i];
        if (row.dialogDefault && row.kind != KeyKind::Module) readKey(ini, row, moved);
    }
    for (CheckBox* box : layout_.boxesOn(TForm3::kModulesPage)) {
        // Free Disk Space is the [general] key's.
        const SettingKeyRow& row = moduleRow(box->name);
        if (box->name != "CheckBox28")
            box->checked = ini.readString(row.section, box->name, row.dialogDefault) == "True";
    }
    return moved;
}

void SettingsDraft::readKey(const IniFile& ini, const SettingKeyRow& row, Moved& moved) {
    const std::string def = row.dialogDefault;
    auto text = [&] { return ini.readString(row.section, row.name, def); };
    auto number = [&] { return ini.readInteger(row.section, row.name, integerDefault(row.dialogDefault)); };
    Control* control = row.control ? layout_.find(row.control) : nullptr;
    auto box = [&]() -> bool& { return static_cast<CheckBox*>(control)->checked; };
    switch (row.kind) {
        case KeyKind::Text:
        case KeyKind::Interval:
            textOf(layout_, *control) = text();
            break;
        case KeyKind::Number:
            textOf(layout_, *control) = std::to_string(number());
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
            moved.opacity = number();
            break;
        case KeyKind::Interface:
            moved.interfaceNumber = number();
            moved.interfaceText = text();
            // A file that names none shows the interface the traffic meter picks, so that
            // saving keeps measuring that one.
            if (ini.readString(row.section, row.name, "").empty()) {
                std::vector<InterfaceRow> rows;
                platform_.network.interfaceTable(rows);
                moved.interfaceNumber = automaticInterface(rows);
                moved.interfaceText = std::to_string(moved.interfaceNumber);
            }
            break;
        case KeyKind::Module:
        case KeyKind::Place:
        case KeyKind::Record:
        case KeyKind::Other:
            break;
    }
}

std::string SettingsDraft::checkedIpInterval() {
    auto convert = [](const std::string& text) {
        std::int32_t v = 0;
        if (!textToInteger(text, v)) throw Error("'" + text + "' is not a valid integer value");
        return v;
    };
    std::string& interval = layout_.get<Edit>("Edit2").text;
    std::int32_t v = convert(interval);
    if (v != 0 && v < kShortestIpInterval) {
        platform_.settingsUi.messageBox("You cannot update IP address in intervals of less than 1 minute.",
                                        "Tabrix");
        interval = "60000";
    } else if (v == 0) {
        interval = "0";
    }
    return std::to_string(convert(interval));
}

std::string SettingsDraft::keyText(const SettingKeyRow& row, const std::string& ipInterval) const {
    Control* control = row.control ? layout_.find(row.control) : nullptr;
    auto on = [&] { return static_cast<const CheckBox*>(control)->checked; };
    switch (row.kind) {
        case KeyKind::Text:
        case KeyKind::Number:
        case KeyKind::Interface:
            return textOf(layout_, *control);
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
            return std::to_string(chosenOpacity.value_or(0));
        case KeyKind::Interval:
            return ipInterval;
        case KeyKind::Module:
        case KeyKind::Place:
        case KeyKind::Record:
        case KeyKind::Other:
            break;
    }
    return std::string();
}

// Every key of the save in its order, applied to the file's text as key-by-key writes would.
std::string SettingsDraft::configBytes(const std::string& ipInterval) const {
    const std::string path = platform_.configPath();
    std::string text;
    if (!platform_.files.read(path, text)) {
        // A file that is there but cannot be read would lose its other lines.
        if (platform_.files.exists(path)) throw Error("Unable to write to " + path);
        text.clear();
    }
    for (int i = 0; i < kSettingKeyCount; ++i) {
        const SettingKeyRow& row = kSettingKeys[i];
        // The untouched slider leaves alpha as the file has it.
        if (!row.dialogDefault || row.kind == KeyKind::Module ||
            (row.kind == KeyKind::Opacity && !chosenOpacity))
            continue;
        text = ini::withValue(text, row.section, row.name, keyText(row, ipInterval));
    }
    for (CheckBox* box : layout_.boxesOn(TForm3::kModulesPage))
        text = ini::withValue(text, moduleRow(box->name).section, box->name, box->checked ? "True" : "False");
    return text;
}

void SettingsDraft::saveDrives() {
    const auto& list = layout_.get<ListBox>("ListBox1");
    std::vector<int> drives;
    for (size_t i = 0; i < list.selected.size(); ++i)
        if (list.selected[i]) drives.push_back(static_cast<int>(i) + 1);
    writeDrivesFile(platform_.files, platform_.path(kDrivesFileName), drives);
}

bool SettingsDraft::putConfigBack(bool existed, const std::string& old) {
    const std::string path = platform_.configPath();
    return existed ? platform_.files.writeAtomic(path, old) : platform_.files.remove(path);
}

void SettingsDraft::save(const std::string& ipInterval) {
    const std::string path = platform_.configPath();
    const std::string bytes = configBytes(ipInterval);
    std::string old;
    const bool existed = platform_.files.read(path, old);
    const bool changed = !existed || old != bytes;
    if (changed && !platform_.files.writeAtomic(path, bytes)) throw Error("Unable to write to " + path);
    try {
        saveDrives();
    } catch (const std::exception& e) {
        // Save is all or nothing: a refused drives.inf puts config.ini back as it was, and
        // when even that fails the user must not believe that nothing changed.
        if (changed && !putConfigBack(existed, old))
            throw Error(std::string(e.what()) + ". " + path +
                        " could not be put back as it was: it holds the new settings.");
        throw;
    }
}

}  // namespace tabrix
