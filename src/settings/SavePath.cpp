#include "settings/SavePath.h"

#include "settings/IniFile.h"

namespace tabrix {

std::string readSavePath(Files& files, const std::string& configPath) {
    return IniFile(files, configPath).readString("general", "savepath", kDefaultSavePath);
}

std::string readSavePath(Files& files, const std::string& configPath, SavePathCache& cache) {
    return cache.get(files, configPath, [&] { return readSavePath(files, configPath); });
}

}  // namespace tabrix
