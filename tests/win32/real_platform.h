#pragma once
// The real platform as the program entry builds it, for tests that run real windows.
#include <windows.h>

#include <string>

#include "app/RealPlatform_win.h"

namespace tabrix::test {

struct RealPlatform : win32::RealPlatform {
    explicit RealPlatform(const std::string& programDir)
        : win32::RealPlatform(GetModuleHandleA(nullptr), programDir) {}
};

}  // namespace tabrix::test
