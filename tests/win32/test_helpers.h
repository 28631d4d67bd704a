#pragma once
// Shared by the Win32 tests: a scratch folder, what a window paints, and the main window
// started in this process from a prepared folder, the way the program entry starts it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../test_support.h"
#include "platform/win32/Gdi.h"
#include "real_platform.h"
#include "remove_tree.h"
#include "windows/main/MainWindowView_win.h"
#include "windows/main/Unit1.h"

namespace tabrix::test {

inline std::string trimmed(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t");
    const std::size_t e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

// The "model name" of the first processor, as the Linux kernel under Wine reports it.
inline std::string hostModelName() {
    std::ifstream in("Z:\\proc\\cpuinfo");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("model name", 0) == 0) return trimmed(line.substr(line.find(':') + 1));
    return "";
}

// A fresh folder under the temporary folder, removed with all it holds at the end.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name) {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        path_ = std::string(tmp) + name + "_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() { removeTree(path_); }
    const std::string& path() const { return path_; }
    // The folder with a backslash at the end, as the program's folders are given.
    std::string dir() const { return path_ + "\\"; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    void makeFolder(const std::string& name) const { CreateDirectoryA(file(name).c_str(), nullptr); }
    // A path in the folder never handed out before.
    std::string newFile(const std::string& stem) { return file(stem + std::to_string(++count_) + ".ini"); }

private:
    std::string path_;
    int count_ = 0;
};

// The window's client area, 0x00RRGGBB a pixel, top row first: as the window paints it when
// asked (WM_PRINTCLIENT), or with fromScreen as it shows now.
inline Pixels clientPixels(HWND w, bool fromScreen = false) {
    RECT r{};
    GetClientRect(w, &r);
    Pixels p{r.right, r.bottom, {}};
    win32::Dib dib(r.right, r.bottom);
    win32::MemoryDc mem(nullptr);
    mem.select(dib.get());
    if (fromScreen) {
        HDC shown = GetDC(w);
        BitBlt(mem.get(), 0, 0, r.right, r.bottom, shown, 0, 0, SRCCOPY);
        ReleaseDC(w, shown);
    } else {
        SendMessageA(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT);
    }
    GdiFlush();
    p.data.assign(dib.bits(), dib.bits() + static_cast<size_t>(r.right) * r.bottom);
    for (uint32_t& px : p.data) px &= 0xFFFFFF;
    return p;
}

// The main window built, created and started in this process against the real system, from
// a scratch folder holding skins\transparent.bmp and the config.ini of each start.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest(const char* folder, const std::string& defaultSkin) : scratch(folder) {
        scratch.makeFolder("skins");
        scratch.write("skins\\transparent.bmp", defaultSkin);
        owner =
            CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        view.reset();
        form.reset();
        real.reset();
        DestroyWindow(owner);
    }
    void write(const std::string& name, const std::string& bytes) { scratch.write(name, bytes); }
    // Start-up against the real system, the way the program entry runs it.
    void start(const std::string& config) {
        write("config.ini", config);
        view.reset();
        form.reset();
        real = std::make_unique<RealPlatform>(scratch.dir());
        form = std::make_unique<TForm1>(real->platform, stored, sink);
        view = std::make_unique<win32::MainWindowView>(GetModuleHandleA(nullptr), owner,
                                                       LoadIconA(nullptr, IDI_APPLICATION),
                                                       [](const std::exception*) {});
        view->create(*form);
        real->tray.window = view->hwnd();
        form->FormCreate();
        view->showAfterStartup();
    }

    ScratchDir scratch;
    HWND owner = nullptr;
    StoredValues stored;
    RecordingErrors sink;
    std::unique_ptr<RealPlatform> real;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<win32::MainWindowView> view;
};

}  // namespace tabrix::test
