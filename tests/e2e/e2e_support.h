#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Whole-program test support: a prepared program folder with Tabrix.exe in it, the running
// program, and what the screen and the window system show of it.
namespace e2e {

// A Unix path as Windows programs under Wine see it.
std::string dosPath(const std::string& unixPath);
// The program folder built by the win32 preset, as a Windows path.
std::string distDir();
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Runs a command line, and with `wait` waits for it to end; false when it could not start or
// failed. A Unix program started from Wine gets no process handle: it is not waited for.
bool run(std::string command, bool wait);

class ProgramFolder {
public:
    // A fresh folder with Tabrix.exe, skins\ and winamp_buttons\ copied from the build, and
    // config.ini written from configIni unless it is null.
    explicit ProgramFolder(const char* configIni);
    ~ProgramFolder();
    const std::string& dir() const { return dir_; }
    std::string path(const std::string& name) const { return dir_ + "\\" + name; }
    void write(const std::string& name, const std::string& bytes) const { writeFile(path(name), bytes); }

private:
    std::string dir_;
};

class Running {
public:
    explicit Running(const ProgramFolder& folder);
    ~Running();
    // The main window ("TForm1", "Tabrix") of this process; null if none within the time.
    HWND mainWindow() const { return main_; }
    bool alive() const;
    // Asks the program to close and waits for it; kills it when it does not end in time.
    bool close();
    DWORD pid() const { return pi_.dwProcessId; }
    HANDLE process() const { return pi_.hProcess; }

private:
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
};

// A top-level window of the given class that belongs to the process (visible or not).
// Inline: the fixture programs use it too.
struct WindowSearch {
    DWORD pid;
    const char* className;
    HWND found;
};
inline BOOL CALLBACK matchWindowOf(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid != s->pid || lstrcmpA(cls, s->className) != 0) return TRUE;
    s->found = w;
    return FALSE;
}
inline HWND findWindowOf(DWORD pid, const char* className) {
    WindowSearch s{pid, className, nullptr};
    EnumWindows(matchWindowOf, reinterpret_cast<LPARAM>(&s));
    return s.found;
}
// Posts WM_CLOSE to each top-level window of the class until none is left (at most 5 s).
void closeWindowsOf(const char* className);

bool visible(HWND w);
// The window's rectangle and its client area's, in screen coordinates.
RECT outerRect(HWND w);
RECT clientRect(HWND w);
// Each of red, green and blue below 0x60 / at least 0xA0.
bool isDark(uint32_t c);
bool isLight(uint32_t c);
// The window's layering as the system reports it (GetLayeredWindowAttributes, Windows XP and
// later: looked up, so the tests also load where it is missing).
struct Layered {
    bool ok = false;  // the window is layered and the system answered
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
Layered layeredAttributes(HWND w);
bool fileExists(const std::string& path);
// Pixels of the screen as it shows now, 0x00RRGGBB.
struct Screenshot {
    explicit Screenshot(RECT area);
    uint32_t at(int x, int y) const;  // screen coordinates
    RECT area;
    std::vector<uint32_t> pixels;
};
// The window's client area as the screen shows it after bringToTop(w, ms).
Screenshot clientOnTop(HWND w, int ms);
// A file in this test program's folder, where the fixture programs are built.
std::string besideThisTest(const std::string& name);
// Starts a program from beside this test, with each argument that is not empty quoted; its
// process handle (the caller closes it), null when it could not start.
HANDLE startBesideThisTest(const std::string& exe, const std::string& argument = "",
                           const std::string& more = "");
// The text of the first <tag> inside the first <parent> of the XML report ("" when missing).
std::string element(const std::string& xml, const std::string& parent, const std::string& tag);

// The message the main window's tray icon sends it.
constexpr UINT kTrayCallback = 0x401;
// Modifying an icon the shell does not hold fails: the icon of this window with id 0.
bool trayIconExists(HWND w);
// The process's window of the class once it shows (asked every 50 ms for up to ms); null
// when none showed.
HWND shownWindowOf(const Running& app, const char* className, int ms = 5000);
// Opens the tray menu, moves down with the keys to the entry with this command (MenuCommand)
// and picks it; true once the menu has closed again.
bool pickTrayEntry(const Running& app, HWND w, int command);

// Runs pending messages of the test itself for a while (the program runs on its own).
void pause(int ms);
// Puts the window above all others without activating it, then lets it paint for ms.
void bringToTop(HWND w, int ms = 300);
// Asks every 50 ms, running the test's own messages meanwhile, until done() or ms have passed.
template <typename F>
bool waitFor(F done, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (done()) return true;
        pause(50);
    }
    return false;
}
std::string windowText(HWND w);

// A plain popup window of the test's own over r, filled with colour: a desktop behind the
// widget (shown without being activated, as a desktop is: an active window over the whole
// screen is a full-screen program), or another program in front (made the foreground one).
// It counts the left presses it gets.
class TestWindow {
public:
    enum class Place { Behind, InFront };
    TestWindow(RECT r, COLORREF colour, Place place);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND w = nullptr;
    COLORREF colour;
    int presses = 0;
};
RECT wholeScreen();
// Waits up to ms for the file to hold the text.
bool fileGains(const std::string& path, const std::string& text, int ms);

// Reads the files in turn for ms, as a web server or an exporter would (no delete sharing), a
// read every millisecond or so; whole(i, bytes) tells whether the bytes of paths[i] are a whole
// file.
struct PollCounts {
    int whole = 0;    // whole reads
    int torn = 0;     // reads that were not whole
    int busy = 0;     // opens refused while the file was being replaced
    int changes = 0;  // whole reads that differed from the file's read before
    std::string lastTorn;
};
PollCounts pollWhileRewritten(const std::vector<std::string>& paths,
                              const std::function<bool(std::size_t, const std::string&)>& whole, int ms);

}  // namespace e2e
