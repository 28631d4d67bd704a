// The monitors' work areas, for keeping the main window where a screen shows it, and their
// whole rectangles with the foreground window, for stepping aside from full-screen programs.
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
    bool whole;  // the monitor's rectangle rather than its work area
    std::vector<ScreenRect> areas;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& e = *reinterpret_cast<Enumeration*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!e.getMonitorInfo(monitor, &info)) return TRUE;
    const ScreenRect area = toScreenRect(e.whole ? info.rcMonitor : info.rcWork);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        e.areas.insert(e.areas.begin(), area);
    else
        e.areas.push_back(area);
    return TRUE;
}

std::vector<ScreenRect> monitors(bool whole) {
    static const auto enumMonitors = user32Function<EnumDisplayMonitorsFn>("EnumDisplayMonitors");
    static const auto getMonitorInfo = user32Function<GetMonitorInfoFn>("GetMonitorInfoA");
    if (enumMonitors && getMonitorInfo) {
        Enumeration e{getMonitorInfo, whole, {}};
        enumMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&e));
        if (!e.areas.empty()) return e.areas;
    }
    return {};
}

}  // namespace

std::vector<ScreenRect> Win32Desktop::workAreas() {
    std::vector<ScreenRect> areas = monitors(false);
    if (!areas.empty()) return areas;
    RECT primary;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0)) return {toScreenRect(primary)};
    return {};
}

std::vector<ScreenRect> Win32Desktop::monitorRects() {
    std::vector<ScreenRect> rects = monitors(true);
    if (!rects.empty()) return rects;
    return {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}};
}

ForegroundWindow Win32Desktop::foregroundWindow() {
    ForegroundWindow f;
    HWND w = GetForegroundWindow();
    if (!w) return f;
    RECT r;
    if (!GetWindowRect(w, &r)) return f;
    f.exists = true;
    f.rect = toScreenRect(r);
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    f.className = name;
    f.maximized = IsZoomed(w) != FALSE;
    f.desktop = w == GetDesktopWindow() || w == GetShellWindow();
    return f;
}

}  // namespace tabrix::win32
