#include "platform/fake/FakeSettings.h"

namespace tabrix {

bool FakeSettings::chooseFont(std::string& face, int& size) {
    fontDialogs.emplace_back(face, size);
    if (!confirm) return false;
    face = fontFace;
    size = fontSize;
    return true;
}

bool FakeSettings::chooseColor(uint32_t& c) {
    colorDialogs.push_back(c);
    if (!confirm) return false;
    c = color;
    return true;
}

bool FakeSettings::openFile(const FileDialog& dialog, std::string& path) {
    openDialogs.push_back(dialog);
    if (confirm) path = chosenPath;
    return confirm;
}

bool FakeSettings::saveFile(const FileDialog& dialog, std::string& path) {
    saveDialogs.push_back(dialog);
    if (confirm) path = chosenPath;
    return confirm;
}

std::vector<FolderEntry> FakeSettings::listFolder(const std::string& folder) {
    auto it = folders.find(folder);
    return it == folders.end() ? std::vector<FolderEntry>{} : it->second;
}

int FakeSettings::driveType(const std::string& root) {
    auto it = drives.find(root);
    return it == drives.end() ? kDriveNoRoot : it->second;
}

bool FakeSettings::startupFolder(std::string& path) {
    if (noStartup) return false;
    path = startup;
    return true;
}

ShortcutResult FakeSettings::writeShortcut(const std::string& linkPath, const std::string& target,
                                           const std::string& workingDir) {
    if (failCreate) return {false, false, "Class not registered"};
    if (failSave) return {true, false, "Access is denied."};
    links.push_back({linkPath, target, workingDir});
    files_.put(linkPath, "shortcut to " + target);
    return {true, true, ""};
}

}  // namespace tabrix
