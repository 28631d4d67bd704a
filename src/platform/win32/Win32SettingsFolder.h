#pragma once
#include <string>

#include "platform/Files.h"

namespace tabrix::win32 {

// Finds where this user's config.ini and drives.inf live (see chooseSettingsFolder), makes
// the per-user folder and seeds it when that is the choice. Falls back to the program
// folder when the per-user folder cannot be made. With a trailing backslash.
std::string settingsDirectory(Files& files, const std::string& programDir);

}  // namespace tabrix::win32
