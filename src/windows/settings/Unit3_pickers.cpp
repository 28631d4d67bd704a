// The Settings window's pickers: skin list, drive list, font, colour, paths, the temperature
// guard and the start-up shortcut.
#include "windows/settings/Unit3.h"

#include <algorithm>
#include <cctype>

#include "config/DrivesFile.h"
#include "config/IntegerText.h"
#include "platform/Error.h"
#include "platform/SettingsApi.h"

namespace tabrix {

namespace {

constexpr char kSkinPattern[] = ".BMP";
// Far deeper than any skins folder; only a folder that contains itself gets there.
constexpr int kMaxSkinDepth = 16;
constexpr char kStartupTitle[] = "Tabrix";

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string driveLabel(int type) {
    switch (type) {
        case kDriveRemovable:
            return " Floppy Drive";
        case kDriveFixed:
            return " Fixed Drive";
        case kDriveRemote:
            return " Network Drive";
        case kDriveCdrom:
            return " CD-ROM Drive";
        case kDriveRamdisk:
            return " RAM Disk";
        default:
            return " Unknown";
    }
}

}  // namespace

void SettingsPickers::fillSkins() {
    searchSkins(platform_.programDir + "skins\\");
}

void SettingsPickers::searchSkins(const std::string& top) {
    // Each folder's own files first, then its sub-folders in the order found, depth first.
    struct Pending {
        std::string folder;
        int depth;
    };
    std::vector<Pending> stack{{top, 0}};
    while (!stack.empty()) {
        const Pending here = stack.back();
        stack.pop_back();
        std::vector<Pending> subFolders;
        for (const FolderEntry& entry : platform_.settingsUi.listFolder(here.folder)) {
            if (entry.name.empty() || entry.name[0] == '.') continue;
            if (entry.folder) {
                if (here.depth < kMaxSkinDepth)
                    subFolders.push_back({here.folder + entry.name + "\\", here.depth + 1});
            } else if (upper(entry.name).find(kSkinPattern) != std::string::npos) {
                layout_.get<ComboBox>("ComboBox1").items.push_back(entry.name);
            }
        }
        stack.insert(stack.end(), subFolders.rbegin(), subFolders.rend());
    }
}

void SettingsPickers::fillDrives() {
    auto& list = layout_.get<ListBox>("ListBox1");
    list.items.clear();
    for (int n = 0; n < kDriveCount; ++n) {
        const std::string root = std::string(1, static_cast<char>('A' + n)) + ":\\";
        const int type = platform_.settingsUi.driveType(root);
        list.items.push_back(root + driveLabel(type));
    }
    list.selected.assign(list.items.size(), false);
    // A missing file selects nothing; a line that names no drive from A: to Z: is passed over.
    std::string bytes;
    if (!platform_.files.read(platform_.path(kDrivesFileName), bytes)) return;
    for (const std::string& line : splitLines(bytes)) {
        std::int32_t number = 0;
        if (decimalToInteger(line, number) && number >= 1 && number <= kDriveCount)
            list.selected[number - 1] = true;
    }
}

void SettingsPickers::ComboBox2KeyPress() {
    platform_.settingsUi.messageBox("You can only choose from 2 options!", "");
    layout_.get<ComboBox>("ComboBox2").text = "*C";
}

void SettingsPickers::Button5Click() {
    std::string face = draft_.fontFace;
    int size = draft_.fontSize;
    if (platform_.settingsUi.chooseFont(face, size)) {
        draft_.fontFace = face;
        draft_.fontSize = size;
    }
    layout_.get<Label>("Label16").text = std::to_string(draft_.fontSize);
    layout_.get<Label>("Label18").text = draft_.fontFace;
}

void SettingsPickers::Button7Click() {
    uint32_t color = draft_.fontColor;
    if (!platform_.settingsUi.chooseColor(color)) return;
    draft_.fontColor = color;
    layout_.get<Label>("Label17").font.color = color;
}

void SettingsPickers::Button6Click() {
    std::string& shown = layout_.get<Edit>("Edit3").text;
    std::string path;
    if (platform_.settingsUi.openFile({"Winamp Executable", "winamp.exe", "winamp.exe", shown}, path))
        shown = path;
}

void SettingsPickers::Button8Click() {
    std::string& shown = layout_.get<Edit>("Edit1").text;
    std::string path;
    if (platform_.settingsUi.saveFile({"PHP or XML File", "*.", "stats", shown}, path)) shown = path;
}

void SettingsPickers::Button9Click() {
    std::string& shown = layout_.get<Edit>("Edit8").text;
    std::string path;
    if (platform_.settingsUi.saveFile({"Prometheus metrics", "*.prom", "tabrix.prom", shown}, path))
        shown = path;
}

void SettingsPickers::Button2Click() {
    SettingsApi& ui = platform_.settingsUi;
    std::string folder;
    ShortcutResult result;
    if (!ui.startupFolder(folder))
        result = {true, false, "The Startup folder could not be found."};
    else
        result =
            ui.writeShortcut(folder + "\\" + kShortcutName, platform_.executablePath, platform_.programDir);
    if (!result.created) throw Error(result.error);
    if (result.saved)
        ui.messageBox("Tabrix will now start during startup.", kStartupTitle);
    else
        ui.messageBox("Tabrix could not be added to startup: " + result.error, kStartupTitle);
}

void SettingsPickers::Button4Click() {
    SettingsApi& ui = platform_.settingsUi;
    std::string folder;
    if (!ui.startupFolder(folder)) return;
    // Only a shortcut that was there and is gone now counts as removed.
    const std::string link = folder + "\\" + kShortcutName;
    if (platform_.files.exists(link) && platform_.files.remove(link))
        ui.messageBox("Tabrix was removed from startup", kStartupTitle);
}

}  // namespace tabrix
