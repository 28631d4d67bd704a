#include "x_input.h"

#include <cstdio>

#include "e2e_support.h"

namespace e2e {

namespace {

// Wine starts a Unix program but cannot wait for it: the shell leaves the script's exit
// code in a file the test polls for.
bool runUnix(const std::string& script) {
    static int serial = 0;
    const std::string done =
        "/tmp/tabrix-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    std::string windowsDone = "Z:" + done;
    for (char& c : windowsDone)
        if (c == '/') c = '\\';
    DeleteFileA(windowsDone.c_str());
    std::string cmd = "/bin/sh -c \"" + script + " >/dev/null 2>&1; echo $? > " + done + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:\\bin\\sh", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);
    std::string rc;
    const bool ended = waitFor(
        [&] {
            rc = readFile(windowsDone);
            return !rc.empty() && rc.back() == '\n';
        },
        20000);
    DeleteFileA(windowsDone.c_str());
    pause(150);  // the program's turn to take the input
    return ended && rc == "0\n";
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

bool xdotool(const std::string& args) {
    return runUnix("xdotool " + args);
}

bool xmove(int x, int y) {
    return xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2");
}

bool xclick(int x, int y, int button) {
    return xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2 click " +
                   std::to_string(button));
}

bool xclickOn(HWND w, int button) {
    RECT r;
    if (!GetWindowRect(w, &r)) return false;
    return xclick((r.left + r.right) / 2, (r.top + r.bottom) / 2, button);
}

bool xkey(const std::string& keys) {
    return xdotool("key --delay 60 " + keys);
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
