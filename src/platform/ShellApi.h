#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tabrix {

constexpr int kShowHide = 0;    // SW_HIDE
constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

// ShellExecuteA with no owner window and the default verb.
class Shell {
public:
    virtual ~Shell() = default;
    // An empty directory is passed as none; the result is of no interest to any caller.
    virtual void execute(const std::string& file, const std::string& parameters, const std::string& directory,
                         int showCommand) = 0;
    // ShellExecuteA with no owner window and the verb "open": a document or web address in
    // the program the user chose for it.
    virtual void open(const std::string& document, int showCommand) = 0;
};

// Plain text (CF_TEXT) onto the clipboard, replacing what was there.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool setText(const std::string& text) = 0;
};

// Time for the limits of waits that run on timers, and the calendar time reports carry.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t now() = 0;  // milliseconds, wrapping like GetTickCount
    // Whole seconds since 1970-01-01 00:00 UTC.
    virtual int64_t utcSeconds() = 0;
};

struct Point {
    int x = 0;
    int y = 0;
};

// One entry of a popup menu as the behaviour describes it; the view draws it.
struct MenuItem {
    std::string name;     // component name, "-" for a separator
    std::string caption;  // "-" for a separator
    bool visible = true;
    bool enabled = true;
    bool checked = false;         // drawn with the system's check mark, so such an entry has no picture
    int command = 0;              // what the popup answers when the entry is chosen
    int icon = 0;                 // 1-based number of the entry's 16 x 16 picture, 0 for none
    std::vector<MenuItem> items;  // a submenu when not empty

    bool separator() const { return caption == "-"; }
};

// SetWindowPlacement record fields that the owner placement sets.
struct OwnerPlacement {
    uint32_t length = 44;
    uint32_t flags = 1;        // WPF_SETMINPOSITION
    uint32_t showCommand = 0;  // SW_HIDE
    Point minPosition{-1000, -1000};
};

// What the main window's behaviour asks of its own real window and the desktop around it.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    virtual void setForeground() = 0;  // SetForegroundWindow(main window)
    virtual Point cursorPos() = 0;     // GetCursorPos
    // Opens the menu at the point; returns when it closes, with the chosen command or 0.
    virtual int popupMenu(const std::vector<MenuItem>& menu, Point at) = 0;
    virtual void postNull() = 0;  // PostMessageA(main window, WM_NULL, 0, 0)
    // SetWindowPlacement on the application's hidden owner window.
    virtual void placeOwner(const OwnerPlacement& placement) = 0;
};

}  // namespace tabrix
