#include "platform/win32/Win32Platform.h"

#include <shellapi.h>

#include "platform/win32/Library.h"
#include "platform/win32/Scoped.h"

namespace tabrix::win32 {

void Win32Ui::messageBox(const std::string& text, const std::string& caption) {
    loadCommonControls();  // its buttons are common controls under the manifest
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

void Win32Desktop::hideWindow(const std::string& className, const std::string& caption) {
    if (HWND w = FindWindowA(className.c_str(), caption.c_str())) ShowWindow(w, SW_HIDE);
}

Extent Win32Desktop::frameSize(bool toolCaption) {
    RECT r{0, 0, 100, 100};
    const DWORD style = toolCaption ? (WS_CAPTION | WS_SYSMENU) : WS_POPUP;
    const DWORD exStyle = toolCaption ? WS_EX_TOOLWINDOW : 0;
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left - 100, r.bottom - r.top - 100};
}

int Win32Desktop::screenDpi() {
    return screenDotsPerInch(LOGPIXELSX);
}

int Win32Desktop::windowsMajorVersion() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v)) return 5;
    return static_cast<int>(v.dwMajorVersion);
}

Win32TextMeasure::Win32TextMeasure() : dc_(nullptr) {}

Extent Win32TextMeasure::measure(const Font& font, const std::string& text) {
    const std::string key = font.face + '\n' + std::to_string(font.height) + '\n' +
                            std::to_string(font.charset) + (font.bold ? "b" : "");
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.emplace(key, GdiObject<HFONT>(createFont(font))).first;
    dc_.selectFont(it->second.get());
    // Measured the way the label draws it: a line feed or carriage return starts a new
    // line (the drive block is several lines), so the box is as tall as all of them.
    RECT r{0, 0, 0, 0};
    DrawTextA(dc_.get(), text.c_str(), static_cast<int>(text.size()), &r, kLabelTextFormat | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

bool Win32Tray::add(const TrayRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = record.size;
    data.hWnd = window;
    data.uID = record.id;
    data.uFlags = record.flags;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = icon;
    lstrcpynA(data.szTip, record.tip.c_str(), sizeof data.szTip);
    return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void Win32Tray::remove(const TrayRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = record.size;
    data.hWnd = window;
    data.uID = record.id;
    Shell_NotifyIconA(NIM_DELETE, &data);
}

std::string executablePath() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

std::string programDirectory() {
    const std::string dir = executablePath();
    const size_t slash = dir.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
}

}  // namespace tabrix::win32
