#pragma once
#include <windows.h>

#include <array>

#include "platform/ShellApi.h"
#include "platform/win32/Resources.h"

namespace tabrix::win32 {

class Win32Shell : public Shell {
public:
    void execute(const std::string& file, const std::string& parameters, const std::string& directory,
                 int showCommand) override;
    void open(const std::string& document, int showCommand) override;
};

class Win32Clipboard : public Clipboard {
public:
    bool setText(const std::string& text) override;
    HWND window = nullptr;  // the clipboard's owner while the text is on it
};

class Win32Clock : public Clock {
public:
    uint32_t now() override { return GetTickCount(); }
    int64_t utcSeconds() override;
};

// The main window's surroundings; the host sets the windows once they exist.
class Win32WindowSystem : public WindowSystem {
public:
    explicit Win32WindowSystem(HINSTANCE instance);
    // The menu's pictures at the screen's scale (the design's 16 x 16 until then), their
    // size and the room after them.
    void setMenuIcons(const std::array<Pixels, kMenuIconCount>& icons, int size, int gap);
    void setForeground() override;
    Point cursorPos() override;
    int popupMenu(const std::vector<MenuItem>& menu, Point at) override;
    void postNull() override;
    void placeOwner(const OwnerPlacement& placement) override;

    // The popup's pictures are drawn by the window that owns the menu (owner-drawn
    // bitmaps keep the magenta background see-through on Windows 2000 and XP too).
    bool measureItem(MEASUREITEMSTRUCT& item) const;
    bool drawItem(const DRAWITEMSTRUCT& item) const;

    HWND window = nullptr;
    HWND owner = nullptr;

private:
    HMENU build(const std::vector<MenuItem>& items) const;
    std::array<Pixels, kMenuIconCount> icons_;  // at the screen's scale
    int iconSize_ = 16;                         // the design's until setMenuIcons
    int iconGap_ = 4;                           // between the picture and the caption
};

}  // namespace tabrix::win32
