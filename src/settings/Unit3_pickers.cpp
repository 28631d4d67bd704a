// The Settings window's pickers: skin list, drive list, interface chooser, font, colour,
// paths, the temperature guard and the start-up shortcut.
#include "settings/Unit3.h"

#include <algorithm>
#include <cctype>

#include "platform/Error.h"
#include "platform/NetworkApi.h"
#include "platform/SettingsApi.h"
#include "settings/DrivesFile.h"
#include "settings/IntegerText.h"

namespace tabrix {

namespace {

constexpr char kSkinPattern[] = ".BMP";
// Far deeper than any skins folder; only a folder that contains itself gets there.
constexpr int kMaxSkinDepth = 16;
constexpr char kInvalidInput[] = "Invalid Input!";
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

void TForm3::fillSkins() {
    searchSkins(platform_.programDir + "skins\\");
}

void TForm3::searchSkins(const std::string& top) {
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
                ComboBox1.items.push_back(entry.name);
            }
        }
        stack.insert(stack.end(), subFolders.rbegin(), subFolders.rend());
    }
}

void TForm3::fillDrives() {
    ListBox1.items.clear();
    for (int n = 0; n < kDriveCount; ++n) {
        const std::string root = std::string(1, static_cast<char>('A' + n)) + ":\\";
        const int type = platform_.settingsUi.driveType(root);
        ListBox1.items.push_back(root + driveLabel(type));
    }
    ListBox1.selected.assign(ListBox1.items.size(), false);
    // A missing file selects nothing; a line that names no drive from A: to Z: is passed over.
    std::string bytes;
    if (!platform_.files.read(platform_.path(kDrivesFileName), bytes)) return;
    for (const std::string& line : splitLines(bytes)) {
        std::int32_t number = 0;
        if (decimalToInteger(line, number) && number >= 1 && number <= kDriveCount)
            ListBox1.selected[number - 1] = true;
    }
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
        setScrollBarRange(0, 5);
    }
    if (result != InterfaceTableResult::Ok) return;
    std::int32_t n = 0;
    if (!textToInteger(Edit7.text, n)) {
        Label31.text = kInvalidInput;
        return;
    }
    // A row the system did not return has no description.
    Label31.text = n >= 0 && static_cast<size_t>(n) < rows.size() ? rows[n].description : std::string();
    const size_t zero = Label31.text.find('\0');
    if (zero != std::string::npos) Label31.text.resize(zero);
}

void TForm3::ComboBox2KeyPress() {
    platform_.settingsUi.messageBox("You can only choose from 2 options!", "");
    ComboBox2.text = "*C";
}

void TForm3::Button5Click() {
    std::string face = fontFace;
    int size = fontSize;
    if (platform_.settingsUi.chooseFont(face, size)) {
        fontFace = face;
        fontSize = size;
    }
    Label16.text = std::to_string(fontSize);
    Label18.text = fontFace;
}

void TForm3::Button7Click() {
    uint32_t color = fontColor;
    if (!platform_.settingsUi.chooseColor(color)) return;
    fontColor = color;
    Label17.font.color = color;
}

void TForm3::Button6Click() {
    std::string path;
    if (platform_.settingsUi.openFile({"Winamp Executable", "winamp.exe", "winamp.exe", Edit3.text}, path))
        Edit3.text = path;
}

void TForm3::Button8Click() {
    std::string path;
    if (platform_.settingsUi.saveFile({"PHP or XML File", "*.", "stats", Edit1.text}, path))
        Edit1.text = path;
}

void TForm3::Button2Click() {
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

void TForm3::Button4Click() {
    SettingsApi& ui = platform_.settingsUi;
    std::string folder;
    if (!ui.startupFolder(folder)) return;
    // Only a shortcut that was there and is gone now counts as removed.
    const std::string link = folder + "\\" + kShortcutName;
    if (platform_.files.exists(link) && platform_.files.remove(link))
        ui.messageBox("Tabrix was removed from startup", kStartupTitle);
}

}  // namespace tabrix
