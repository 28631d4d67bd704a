#pragma once
#include <string>

#include "config/StampedRead.h"
#include "platform/Files.h"

namespace tabrix {

constexpr char kDefaultSavePath[] = "c:\\info.txt";

// savepath as last read, with config.ini's stamp at that read.
using SavePathCache = StampedRead<std::string>;

// The report files' path stem, key savepath of section general: read afresh for every
// report, through the cache only when config.ini has changed.
std::string readSavePath(Files& files, const std::string& configPath);
std::string readSavePath(Files& files, const std::string& configPath, SavePathCache& cache);

}  // namespace tabrix
