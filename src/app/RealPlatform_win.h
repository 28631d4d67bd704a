#pragma once
// Every part of the real platform, put together once: the program entry and the Win32 tests
// build the same thing.
#include <windows.h>

#include <string>

#include "platform/CachedSystem.h"
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
#include "sources/SourceStartupFacts.h"
#include "sources/adCpuUsage.h"

namespace tabrix::win32 {

struct RealPlatform {
    // programDir: where the program's own files are, with a trailing backslash.
    RealPlatform(HINSTANCE instance, const std::string& programDir);
    RealPlatform(const RealPlatform&) = delete;
    RealPlatform& operator=(const RealPlatform&) = delete;

    Win32Files files;
    Win32Ui ui;
    Win32Desktop win32Desktop;
    CachedDesktop desktop{win32Desktop};
    Win32TextMeasure text;
    Win32Tray tray;
    Win32Codepage codepage;
    Win32System win32System;
    // What the program asks: the answers that cannot change until the system says so are kept.
    CachedSystem system{win32System};
    Win32Performance performance;
    Win32Cpuid cpuid;
    Win32PlayerWindow player;
    VersionInfo version;  // as read at the start
    // The processor is identified once, before the first main window.
    SourceStartupFacts facts;
    Win32Shell shell;
    Win32Clipboard clipboard;
    Win32WindowSystem windows;
    Win32Clock clock;
    Win32Network network;
    Win32Disks disks;
    Win32SharedMemory sharedMemory;
    Win32Registry registry;
    Win32IpLookup ipLookup;
    Win32IpLookup sensorLookup;  // LibreHardwareMonitor's web server on 127.0.0.1
    Win32Settings settingsUi;
    CpuCounters cpu;  // started by the program entry
    Platform platform;
};

}  // namespace tabrix::win32
