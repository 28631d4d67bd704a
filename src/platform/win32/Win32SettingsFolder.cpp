#include "platform/win32/Win32SettingsFolder.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "platform/Platform.h"
#include "platform/SettingsFolder.h"
#include "platform/win32/Scoped.h"

namespace tabrix::win32 {

namespace {

// Making a file is the right every settings write needs (it writes a temporary file
// beside the target, then renames it).
bool canCreateFileIn(const std::string& dir) {
    if (dir.empty()) return false;
    // A name no one else uses; the file goes again when its handle closes.
    const std::string probe = dir + "tabrix-" + std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(GetTickCount()) + ".tmp";
    const ScopedFile file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.valid();
}

bool isFolder(const std::string& dir) {
    const DWORD attributes = GetFileAttributesA(dir.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string appDataFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
    return path;
}

}  // namespace

std::string settingsDirectory(Files& files, const std::string& programDir) {
    SettingsFolderFacts facts;
    facts.programDir = programDir;
    facts.programDirWritable = canCreateFileIn(programDir);
    if (!facts.programDirWritable) {
        facts.appDataDir = appDataFolder();
        facts.perUserDirExists =
            !facts.appDataDir.empty() && isFolder(facts.appDataDir + "\\" + kSettingsFolderName);
    }
    const SettingsFolderChoice choice = chooseSettingsFolder(facts);
    if (choice.createDir && !CreateDirectoryA(choice.dir.c_str(), nullptr) && !isFolder(choice.dir))
        return programDir;
    if (choice.seed) seedSettingsFiles(files, programDir, choice.dir);
    return choice.dir;
}

}  // namespace tabrix::win32
