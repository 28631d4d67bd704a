#include "e2e_support.h"

#include <shellapi.h>

#include <fstream>
#include <sstream>

#include "../win32/remove_tree.h"

namespace e2e {

std::string dosPath(const std::string& unixPath) {
    // Wine maps the Unix root to drive Z:.
    std::string p = "Z:" + unixPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

std::string distDir() {
    return dosPath(TABRIX_DIST);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

static void copyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((from + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copyTree(from + "\\" + name, to + "\\" + name);
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

using tabrix::test::removeTree;

ProgramFolder::ProgramFolder(const char* configIni) {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    static int counter = 0;
    dir_ = std::string(tmp) + "tabrix-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter);
    removeTree(dir_);
    CreateDirectoryA(dir_.c_str(), nullptr);
    const std::string dist = distDir();
    CopyFileA((dist + "\\Tabrix.exe").c_str(), path("Tabrix.exe").c_str(), FALSE);
    copyTree(dist + "\\skins", path("skins"));
    copyTree(dist + "\\winamp_buttons", path("winamp_buttons"));
    write("drives.inf", "");
    if (configIni) write("config.ini", configIni);
}

ProgramFolder::~ProgramFolder() {
    removeTree(dir_);
}

bool run(std::string command, bool wait) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &si, &pi))
        return false;
    DWORD code = 0;
    if (wait && pi.hProcess) {
        WaitForSingleObject(pi.hProcess, 30000);
        GetExitCodeProcess(pi.hProcess, &code);
    }
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    return code == 0;
}

void closeWindowsOf(const char* className) {
    waitFor(
        [&] {
            HWND w = FindWindowA(className, nullptr);
            if (w) PostMessageA(w, WM_CLOSE, 0, 0);
            return w == nullptr;
        },
        5000);
}

bool visible(HWND w) {
    return w && IsWindowVisible(w) != FALSE;
}

RECT outerRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

RECT clientRect(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    POINT p{0, 0};
    ClientToScreen(w, &p);
    OffsetRect(&r, p.x, p.y);
    return r;
}

bool isDark(uint32_t c) {
    return ((c >> 16) & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && (c & 0xFF) < 0x60;
}

bool isLight(uint32_t c) {
    return ((c >> 16) & 0xFF) >= 0xA0 && ((c >> 8) & 0xFF) >= 0xA0 && (c & 0xFF) >= 0xA0;
}

Layered layeredAttributes(HWND w) {
    using Fn = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
    Layered l;
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes")));
    if (fn && (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED))
        l.ok = fn(w, &l.key, &l.alpha, &l.flags) != FALSE;
    return l;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool fileGains(const std::string& path, const std::string& text, int ms) {
    return waitFor([&] { return readFile(path).find(text) != std::string::npos; }, ms);
}

void pause(int ms) {
    const DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
}

void bringToTop(HWND w, int ms) {
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pause(ms);
}

Screenshot clientOnTop(HWND w, int ms) {
    bringToTop(w, ms);
    return Screenshot(clientRect(w));
}

Running::Running(const ProgramFolder& folder) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = "\"" + folder.path("Tabrix.exe") + "\"";
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.dir().c_str(), &si,
                        &pi_))
        return;
    WaitForInputIdle(pi_.hProcess, 10000);
    // The window is shown at the end of start-up; wait for it to be visible.
    waitFor(
        [&] {
            main_ = findWindowOf(pi_.dwProcessId, "TForm1");
            return visible(main_) || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0;
        },
        10000);
    pause(300);  // first paint
}

Running::~Running() {
    close();
    if (pi_.hProcess) CloseHandle(pi_.hProcess);
    if (pi_.hThread) CloseHandle(pi_.hThread);
}

bool Running::alive() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Running::close() {
    if (!alive()) return true;
    HWND w = findWindowOf(pi_.dwProcessId, "TForm1");
    if (w) PostMessageA(w, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi_.hProcess, 10000) == WAIT_OBJECT_0) return true;
    TerminateProcess(pi_.hProcess, 1);
    WaitForSingleObject(pi_.hProcess, 5000);
    return false;
}

Screenshot::Screenshot(RECT r) : area(r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    pixels.assign(static_cast<size_t>(w) * h, 0);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const uint32_t* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = src[i] & 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

uint32_t Screenshot::at(int x, int y) const {
    const int w = area.right - area.left;
    return pixels[static_cast<size_t>(y - area.top) * w + (x - area.left)];
}

std::string windowText(HWND w) {
    char buf[512] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

std::string besideThisTest(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

HANDLE startBesideThisTest(const std::string& exe, const std::string& argument, const std::string& more) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + besideThisTest(exe) + "\"";
    for (const std::string* a : {&argument, &more})
        if (!a->empty()) cmd += " \"" + *a + "\"";
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

std::string element(const std::string& xml, const std::string& parent, const std::string& tag) {
    const std::size_t in = xml.find("<" + parent + ">");
    if (in == std::string::npos) return "";
    const std::string open = "<" + tag + ">\r\n";
    const std::size_t from = xml.find(open, in);
    const std::size_t to = xml.find("\r\n</" + tag + ">", from);
    if (from == std::string::npos || to == std::string::npos) return "";
    return xml.substr(from + open.size(), to - from - open.size());
}

bool trayIconExists(HWND w) {
    NOTIFYICONDATAA data{};
    data.cbSize = 88;  // the first version's size, which every shell takes
    data.hWnd = w;
    data.uID = 0;
    data.uFlags = NIF_TIP;
    lstrcpyA(data.szTip, "Tabrix");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

HWND shownWindowOf(const Running& app, const char* className, int ms) {
    HWND w = nullptr;
    return waitFor([&] { return visible(w = findWindowOf(app.pid(), className)); }, ms) ? w : nullptr;
}

namespace {

LRESULT CALLBACK testWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND && self) {
        RECT r;
        GetClientRect(w, &r);
        HBRUSH brush = CreateSolidBrush(self->colour);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    if (msg == WM_LBUTTONDOWN && self) ++self->presses;
    return DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

TestWindow::TestWindow(RECT r, COLORREF colour, Place place) : colour(colour) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = testWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TabrixTestWindow";
    RegisterClassA(&wc);
    w = CreateWindowExA(0, wc.lpszClassName, "stand-in", WS_POPUP, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (place == Place::Behind) {
        ShowWindow(w, SW_SHOWNOACTIVATE);
        pause(300);
    } else {
        ShowWindow(w, SW_SHOW);
        SetForegroundWindow(w);
        pause(200);
    }
}

TestWindow::~TestWindow() {
    DestroyWindow(w);
}

RECT wholeScreen() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

PollCounts pollWhileRewritten(const std::vector<std::string>& paths,
                              const std::function<bool(std::size_t, const std::string&)>& whole, int ms) {
    PollCounts counts;
    std::vector<std::string> last(paths.size());
    const DWORD end = GetTickCount() + ms;
    for (std::size_t read = 0; static_cast<int>(end - GetTickCount()) > 0; ++read) {
        Sleep(1);  // a busy reader, not a spin
        const std::size_t i = read % paths.size();
        HANDLE h =
            CreateFileA(paths[i].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            ++counts.busy;
            continue;
        }
        std::string bytes;
        char buf[8192];
        DWORD got = 0;
        while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
        CloseHandle(h);
        if (whole(i, bytes)) {
            ++counts.whole;
            if (bytes != last[i]) ++counts.changes;
            last[i] = bytes;
        } else {
            ++counts.torn;
            counts.lastTorn = bytes;
        }
    }
    return counts;
}

}  // namespace e2e
