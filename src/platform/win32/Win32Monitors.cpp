// The monitors' work areas, for keeping the main window where a screen shows it.
#include <windows.h>

#include "platform/win32/Win32Platform.h"

namespace tabrix::win32 {
namespace {

// Windows 95 and NT 4 know one screen only; these arrived with 98 and 2000.
using EnumDisplayMonitorsFn = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);

template <typename Fn>
Fn user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

ScreenRect toScreenRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

struct Enumeration {
    GetMonitorInfoFn getMonitorInfo;
    std::vector<ScreenRect> areas;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& e = *reinterpret_cast<Enumeration*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!e.getMonitorInfo(monitor, &info)) return TRUE;
    const ScreenRect area = toScreenRect(info.rcWork);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        e.areas.insert(e.areas.begin(), area);
    else
        e.areas.push_back(area);
    return TRUE;
}

}  // namespace

std::vector<ScreenRect> Win32Desktop::workAreas() {
    static const auto enumMonitors = user32Function<EnumDisplayMonitorsFn>("EnumDisplayMonitors");
    static const auto getMonitorInfo = user32Function<GetMonitorInfoFn>("GetMonitorInfoA");
    if (enumMonitors && getMonitorInfo) {
        Enumeration e{getMonitorInfo, {}};
        enumMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&e));
        if (!e.areas.empty()) return e.areas;
    }
    RECT primary;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0)) return {toScreenRect(primary)};
    return {};
}

}  // namespace tabrix::win32
