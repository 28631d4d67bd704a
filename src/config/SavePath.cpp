#include "config/SavePath.h"

#include "config/IniFile.h"
#include "config/SettingKeys.h"

namespace tabrix {

std::string readSavePath(Files& files, const std::string& configPath) {
    const SettingKeyRow& row = settingKey(SettingKey::SavePath);
    return IniFile(files, configPath).readString(row.section, row.name, kDefaultSavePath);
}

std::string readSavePath(Files& files, const std::string& configPath, SavePathCache& cache) {
    return cache.get(files, configPath, [&] { return readSavePath(files, configPath); });
}

}  // namespace tabrix
