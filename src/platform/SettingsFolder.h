#pragma once
#include <string>

#include "platform/Files.h"

namespace tabrix {

// What the entry point finds out before choosing where config.ini and drives.inf live.
struct SettingsFolderFacts {
    std::string programDir;           // the executable's folder, with a trailing backslash
    bool programDirWritable = false;  // a file could be made there just now
    std::string appDataDir;           // the user's application-data folder; empty when unknown
    bool perUserDirExists = false;    // appDataDir's "Tabrix" folder is there already
};

struct SettingsFolderChoice {
    std::string dir;         // with a trailing backslash
    bool createDir = false;  // the folder has to be made first
    bool seed = false;       // copy the program folder's settings files that dir lacks
};

// The program folder when the user can write there (a portable copy keeps its settings
// beside it); otherwise the per-user "Tabrix" folder in the application-data folder;
// the program folder again when the system names no such folder.
SettingsFolderChoice chooseSettingsFolder(const SettingsFolderFacts& facts);

// Copies config.ini and drives.inf from one folder to another where the other lacks
// them, so a first start in a new settings folder begins from the installed defaults
// (or from the settings the user made while the program folder was writable).
void seedSettingsFiles(Files& files, const std::string& fromDir, const std::string& toDir);

}  // namespace tabrix
