#include "platform/SettingsFolder.h"

#include "platform/Platform.h"

namespace tabrix {

namespace {
std::string withBackslash(std::string dir) {
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir;
}
}  // namespace

SettingsFolderChoice chooseSettingsFolder(const SettingsFolderFacts& facts) {
    SettingsFolderChoice choice;
    if (facts.programDirWritable || facts.appDataDir.empty()) {
        choice.dir = facts.programDir;
        return choice;
    }
    choice.dir = withBackslash(facts.appDataDir) + kSettingsFolderName + "\\";
    choice.createDir = !facts.perUserDirExists;
    choice.seed = true;
    return choice;
}

void seedSettingsFiles(Files& files, const std::string& fromDir, const std::string& toDir) {
    if (fromDir == toDir) return;
    for (const char* name : {kConfigFileName, kDrivesFileName}) {
        std::string bytes;
        if (files.exists(toDir + name) || !files.read(fromDir + name, bytes)) continue;
        files.writeAtomic(toDir + name, bytes);
    }
}

}  // namespace tabrix
