#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Font.h"
#include "platform/WindowsNumbers.h"

namespace tabrix {

// Every setting lives in this file, and the chosen drives in the other, in the settings
// folder: the program's directory when the user can write there (see SettingsFolder.h).
constexpr char kConfigFileName[] = "config.ini";
constexpr char kDrivesFileName[] = "drives.inf";
// The per-user settings folder's name inside the user's application-data folder.
constexpr char kSettingsFolderName[] = "Tabrix";

class Codepage;
class SystemApi;
class PerformanceApi;
class CpuidApi;
class PlayerWindow;
class Shell;
class Clipboard;
class Clock;
class WindowSystem;
class NetworkApi;
class DiskApi;
class SharedMemoryApi;
class RegistryApi;
class IpLookup;
class SettingsApi;
class CpuLoad;

struct Extent {
    int width = 0;
    int height = 0;
};

// A rectangle on the virtual screen; right and bottom are outside it, as in a RECT.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The foreground window as the system describes it.
struct ForegroundWindow {
    bool exists = false;
    std::string className;
    ScreenRect rect;         // outer rectangle on the virtual screen
    bool maximized = false;  // a maximised window is work, not a film: it never hides the widget
    bool desktop = false;    // the desktop or the shell's own window, whatever its class
};

// Message boxes: caption is the application title, one OK button.
class Ui {
public:
    virtual ~Ui() = default;
    virtual void messageBox(const std::string& text, const std::string& caption) = 0;
};

// The desktop as other windows and the screen see it.
class Desktop {
public:
    virtual ~Desktop() = default;
    // FindWindowA(className, caption) and ShowWindow(SW_HIDE) on it; nothing when none.
    virtual void hideWindow(const std::string& className, const std::string& caption) = 0;
    // Outer size minus client size for a window with the small tool-window caption bar
    // (toolCaption) or with no border at all.
    virtual Extent frameSize(bool toolCaption) = 0;
    virtual int screenDpi() = 0;
    // The built-in copy of one of the program's own picture files (a skin, a player button)
    // drawn for dpi dots per inch: a whole bitmap file whose header's reserved words hold
    // fileCrc, the CRC-32 of the file it was drawn beside. Empty when there is none.
    virtual std::string drawnCopy(uint32_t fileCrc, int dpi) {
        (void)fileCrc;
        (void)dpi;
        return {};
    }
    virtual int windowsMajorVersion() = 0;
    // The work area (the screen less the taskbar) of every monitor, the primary first;
    // empty when the system tells none.
    virtual std::vector<ScreenRect> workAreas() = 0;
    // The whole rectangle of every monitor, the taskbar included.
    virtual std::vector<ScreenRect> monitorRects() = 0;
    virtual ForegroundWindow foregroundWindow() = 0;
    // The system announced a new display setup (WM_DISPLAYCHANGE): monitors kept from before
    // are to be listed again.
    virtual void displayChanged() {}
};

// Text measurement for auto-sized labels (GetTextExtentPoint32 in the real thing).
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual Extent measure(const Font& font, const std::string& text) = 0;
};

// The notification-area icon record the main window keeps while it lives.
struct TrayRecord {
    uint32_t size = kTrayRecordSize;
    uint32_t id = 0;
    uint32_t flags = kTrayRecordFlags;
    uint32_t callbackMessage = kTrayCallbackMessage;
    std::string tip = "Tabrix";
};

class Tray {
public:
    virtual ~Tray() = default;
    virtual bool add(const TrayRecord& record) = 0;
    virtual void remove(const TrayRecord& record) = 0;
};

// The facts the main window's start-up computes once: each is a finished label text
// (the family a number). A source may throw Error; start-up stops there.
class StartupFacts {
public:
    virtual ~StartupFacts() = default;
    virtual std::string brandString() = 0;
    virtual int family() = 0;
    virtual std::string windowsVersionText() = 0;
    virtual std::string connectionText() = 0;
};

// Everything the behaviour asks of the system, handed to it by the entry point.
struct Platform {
    Files& files;
    Ui& ui;
    Desktop& desktop;
    TextMeasure& text;
    Tray& tray;
    std::string programDir;  // directory of the executable, with a trailing backslash
    StartupFacts& facts;
    // The report output's ANSI to UTF-8.
    Codepage& codepage;
    // The raw system reads the refresh cycle formats.
    SystemApi& system;
    PlayerWindow& player;
    // Tray menu, keys and the player's start: shell, clipboard, the main window's
    // surroundings and a bounded wait.
    Shell& shell;
    Clipboard& clipboard;
    WindowSystem& windows;
    Clock& clock;
    // Traffic meter, drive space, sensors and the external address.
    NetworkApi& network;
    DiskApi& disks;
    SharedMemoryApi& sharedMemory;
    RegistryApi& registry;
    IpLookup& ipLookup;
    // The sensor program's web server on this machine, asked like the address server.
    IpLookup& sensorLookup;
    // The Settings window's dialogs, lists and Startup folder.
    SettingsApi& settingsUi;
    // The processor load the refresh shows.
    CpuLoad& cpuLoad;
    // Where config.ini and drives.inf live, with a trailing backslash; empty: programDir.
    std::string settingsDir = {};
    // The executable's full path (the start-up shortcut's target).
    std::string executablePath = {};

    const std::string& settingsFolder() const { return settingsDir.empty() ? programDir : settingsDir; }
    // A file beside the program; the two settings files are found in the settings folder.
    std::string path(const std::string& name) const {
        const bool setting = name == kConfigFileName || name == kDrivesFileName;
        return (setting ? settingsFolder() : programDir) + name;
    }
    std::string configPath() const { return settingsFolder() + kConfigFileName; }
    std::string drivesPath() const { return settingsFolder() + kDrivesFileName; }
};

}  // namespace tabrix
