#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/SystemApi.h"
#include "platform/fake/FakeDisks.h"
#include "platform/fake/FakeFiles.h"
#include "platform/fake/FakeIpLookup.h"
#include "platform/fake/FakeNetwork.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeSettings.h"
#include "platform/fake/FakeSharedMemory.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSystem.h"
#include "platform/fake/Windows1252Codepage.h"

namespace tabrix {

// Records every message box.
class FakeUi : public Ui {
public:
    struct Box {
        std::string text;
        std::string caption;
    };
    void messageBox(const std::string& text, const std::string& caption) override;
    std::vector<Box> boxes;
};

// A desktop at 96 dots per inch on Windows 5 whose tool-window caption bar and border
// take 6 × 22 pixels; records the windows it was asked to hide.
class FakeDesktop : public Desktop {
public:
    void hideWindow(const std::string& className, const std::string& caption) override;
    Extent frameSize(bool toolCaption) override;
    int screenDpi() override { return dpi; }
    int windowsMajorVersion() override { return majorVersion; }
    std::vector<ScreenRect> workAreas() override { return screens; }
    std::vector<ScreenRect> monitorRects() override {
        ++monitorQueries;
        return monitors;
    }
    ForegroundWindow foregroundWindow() override { return foreground; }
    std::string drawnCopy(uint32_t fileCrc, int dpi) override {
        const auto found = drawnCopies.find({fileCrc, dpi});
        return found == drawnCopies.end() ? std::string() : found->second;
    }

    std::map<std::pair<uint32_t, int>, std::string> drawnCopies;  // by file CRC and dpi
    std::vector<std::pair<std::string, std::string>> hidden;      // class name, caption
    std::vector<ScreenRect> screens;                              // none unless a test sets them
    std::vector<ScreenRect> monitors;
    int monitorQueries = 0;
    ForegroundWindow foreground;  // none unless a test sets one
    Extent toolFrame{6, 22};
    int dpi = 96;
    int majorVersion = 5;
};

// Deterministic text extents: 6 pixels a character at an 11-pixel font, scaled with
// the font's height; the line is the character height plus 2.
class FakeTextMeasure : public TextMeasure {
public:
    Extent measure(const Font& font, const std::string& text) override;
    std::vector<std::string> measured;
    int charWidth = 6;  // pixels a character at 11 px
};

class FakeTray : public Tray {
public:
    bool add(const TrayRecord& record) override;
    void remove(const TrayRecord& record) override;

    std::vector<TrayRecord> added;
    std::vector<TrayRecord> removed;
    bool failAdd = false;  // Shell_NotifyIconA refuses: nothing is recorded as added
};

// Scriptable once-only facts.
class FakeStartupFacts : public StartupFacts {
public:
    std::string brandString() override;
    int family() override;
    std::string windowsVersionText() override;
    std::string connectionText() override;

    std::string brand = "Fake Processor 1000 MHz";
    int processorFamily = 6;
    std::string version = "Windows XP (Build 2600) Service Pack 2";
    std::string connection = "LAN";
};

// The whole fake system, owning its parts; `platform` refers to them.
// The processor load: 0 until a test hands it a sampler to read through.
class FakeCpuLoad : public CpuLoad {
public:
    void SampleCpuCounters() override {
        if (sampler) sampler->SampleCpuCounters();
    }
    double GetCpuLoad(int index) override { return sampler ? sampler->GetCpuLoad(index) : 0.0; }

    CpuLoad* sampler = nullptr;
};

struct FakePlatform {
    FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;
    // The same platform with another system and player (and desktop), for tests that script
    // them further.
    Platform with(SystemApi& otherSystem, PlayerWindow& otherPlayer, Desktop* otherDesktop = nullptr);

    FakeFiles files;
    FakeUi ui;
    FakeDesktop desktop;
    FakeTextMeasure text;
    FakeTray tray;
    FakeStartupFacts facts;
    Windows1252Codepage codepage;
    FakeSystem system;
    FakePlayerWindow player;  // no player window until a test opens one
    FakeShell shell;
    FakeClipboard clipboard;
    FakeWindowSystem windows;
    FakeClock clock;
    FakeNetwork network;            // no interfaces until a test adds rows
    FakeDisks disks;                // no drives until a test adds them
    FakeSharedMemory sharedMemory;  // no blocks until a test publishes one
    FakeRegistry registry;          // no keys until a test adds one
    FakeIpLookup ipLookup;          // fetches wait until a test answers them
    FakeIpLookup sensorLookup;      // the same, for the sensor program's web server
    FakeSettings settings{files};   // empty folders, unknown drives, dialogs that confirm
    FakeCpuLoad cpu;                // reads 0 until a test gives it a sampler
    Platform platform;
};

constexpr char kFakeProgramDir[] = "C:\\Tabrix\\";

}  // namespace tabrix
