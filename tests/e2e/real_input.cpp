#include "real_input.h"

#include <cstdio>
#include <cstring>

#include "x_input.h"

namespace e2e {

namespace {

// Unix programs started from Wine cannot be waited on: the shell leaves a mark when done.
// (x_input.h does the same for xdotool alone; this runs the screenshot.)
bool runUnix(const std::string& script) {
    static int counter = 0;
    const std::string mark =
        "/tmp/tabrix-xdo-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    std::string winMark = "Z:" + mark;
    for (char& c : winMark)
        if (c == '/') c = '\\';
    std::string cmd = "Z:\\bin\\sh -c \"" + script + "; : > " + mark + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);
    const bool done =
        waitUntil([&] { return GetFileAttributesA(winMark.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000);
    DeleteFileA(winMark.c_str());
    Sleep(150);  // the program's turn to take the input
    return done;
}

struct ChildSearch {
    const char* cls;
    int left, top;
    const char* text;
    HWND found;
};

BOOL CALLBACK matchChild(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, s->cls) != 0) return TRUE;
    if (s->text) {
        char text[256] = {};
        GetWindowTextA(w, text, sizeof text);
        if (lstrcmpA(text, s->text) == 0) {
            s->found = w;
            return FALSE;
        }
        return TRUE;
    }
    RECT r;
    GetWindowRect(w, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(w), &p);
    if (p.x == s->left && p.y == s->top) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool xdo(const std::string& args) {
    return runUnix("xdotool " + args);
}

bool clickAt(int x, int y, int button) {
    return xdo("mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.1 click " +
               std::to_string(button));
}

bool clickOn(HWND w, int button) {
    RECT r;
    if (!GetWindowRect(w, &r)) return false;
    return clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, button);
}

bool keys(const std::string& names) {
    return xdo("key --delay 60 " + names);
}

bool type(const std::string& text) {
    return xdo("type --delay 60 '" + text + "'");
}

void screenshot(const std::string& name, HWND window) {
    char dir[512] = {};
    if (!GetEnvironmentVariableA("TABRIX_SHOTS", dir, sizeof dir) || !dir[0]) return;
    RECT r;
    GetWindowRect(window, &r);
    char geometry[64];
    std::snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top, r.left,
                  r.top);
    runUnix(std::string("import -window root -crop ") + geometry + " " + dir + "/" + name);
}

HWND childAt(HWND top, const char* className, int left, int top_) {
    ChildSearch s{className, left, top_, nullptr, nullptr};
    EnumChildWindows(top, matchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND childWithText(HWND top, const char* className, const char* text) {
    ChildSearch s{className, 0, 0, text, nullptr};
    EnumChildWindows(top, matchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace e2e
