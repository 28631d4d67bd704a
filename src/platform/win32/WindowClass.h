#pragma once
#include <windows.h>

namespace tabrix::win32 {

// What a window class of the program is made of.
struct WindowClass {
    const char* name;
    WNDPROC proc;
    HICON icon = nullptr;
    HBRUSH background = nullptr;
    LPCSTR cursor = IDC_ARROW;  // a system cursor; null for windows nobody points at
    UINT style = 0;
};

// Registers the class the first time a window of it is made; later calls find it registered
// (the system keeps it for the program's life) and change nothing.
inline void registerWindowClass(HINSTANCE instance, const WindowClass& c) {
    WNDCLASSA wc{};
    if (GetClassInfoA(instance, c.name, &wc)) return;
    wc.style = c.style;
    wc.lpfnWndProc = c.proc;
    wc.hInstance = instance;
    wc.hIcon = c.icon;
    wc.hCursor = c.cursor ? LoadCursorA(nullptr, c.cursor) : nullptr;
    wc.hbrBackground = c.background;
    wc.lpszClassName = c.name;
    RegisterClassA(&wc);
}

}  // namespace tabrix::win32
