#pragma once
// Every part of the real platform, the way the program entry puts it together.
#include <windows.h>

#include <string>

#include "app/SourceStartupFacts.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Codepage.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32IpLookup.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Settings.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sources.h"
#include "platform/win32/Win32System.h"
#include "report/SourceReportFacts.h"

namespace tabrix::test {

struct RealPlatform {
    explicit RealPlatform(const std::string& programDir)
        : platform{files,    ui,          desktop, text,         tray,    programDir, facts,
                   codepage, reportFacts, system,  player,       shell,   clipboard,  windows,
                   clock,    network,     disks,   sharedMemory, ipLookup,   settingsUi} {}

    Win32Files files;
    win32::Win32Ui ui;
    win32::Win32Desktop desktop;
    win32::Win32TextMeasure text;
    win32::Win32Tray tray;
    win32::Win32Codepage codepage;
    win32::Win32System system;
    win32::Win32PlayerWindow player;
    win32::Win32Cpuid cpuid;
    VersionInfo version = [this] {
        VersionInfo v;
        system.version(v);
        return v;
    }();
    SourceReportFacts reportFacts{system, player, version, ""};
    SourceStartupFacts facts{system, cpuid, version};
    win32::Win32Shell shell;
    win32::Win32Clipboard clipboard;
    win32::Win32WindowSystem windows{GetModuleHandleA(nullptr)};
    win32::Win32Clock clock;
    win32::Win32Network network;
    win32::Win32Disks disks;
    win32::Win32SharedMemory sharedMemory;
    win32::Win32IpLookup ipLookup{GetModuleHandleA(nullptr)};
    win32::Win32Settings settingsUi;
    Platform platform;
};

}  // namespace tabrix::test
