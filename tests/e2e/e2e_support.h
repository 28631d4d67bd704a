#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Whole-program test support: a prepared program folder with Tabrix.exe in it, the running
// program, and what the screen and the window system show of it.
namespace e2e {

// The program folder built by the win32 preset, as a Windows path.
std::string distDir();
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

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
HWND findWindowOf(DWORD pid, const char* className);
// Pixels of the screen as it shows now, 0x00RRGGBB.
struct Screenshot {
    explicit Screenshot(RECT area);
    uint32_t at(int x, int y) const;  // screen coordinates
    RECT area;
    std::vector<uint32_t> pixels;
};
// A file in this test program's folder, where the fixture programs are built.
std::string besideThisTest(const std::string& name);
// Starts a program from beside this test, with one quoted argument unless it is empty; its
// process handle (the caller closes it), null when it could not start.
HANDLE startBesideThisTest(const std::string& exe, const std::string& argument = "");
// The text of the first <tag> inside the first <parent> of the XML report ("" when missing).
std::string element(const std::string& xml, const std::string& parent, const std::string& tag);

// The message the main window's tray icon sends it.
constexpr UINT kTrayCallback = 0x401;
// Modifying an icon the shell does not hold fails: the icon of this window with id 0.
bool trayIconExists(HWND w);
// Opens the tray menu, moves n entries down with the keys and picks that entry; true once
// the menu has closed again.
bool pickTrayEntry(const Running& app, HWND w, int n);

// Runs pending messages of the test itself for a while (the program runs on its own).
void pause(int ms);
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

}  // namespace e2e
