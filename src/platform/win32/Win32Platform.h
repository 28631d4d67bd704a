#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/win32/Gdi.h"

namespace tabrix::win32 {

class Win32Ui : public Ui {
public:
    void messageBox(const std::string& text, const std::string& caption) override;
};

class Win32Desktop : public Desktop {
public:
    void hideWindow(const std::string& className, const std::string& caption) override;
    Extent frameSize(bool toolCaption) override;
    int screenDpi() override;
    std::string drawnCopy(uint32_t fileCrc, int dpi) override;  // Resources.cpp
    int windowsMajorVersion() override;
    std::vector<ScreenRect> workAreas() override;  // Win32Monitors.cpp
    std::vector<ScreenRect> monitorRects() override;
    ForegroundWindow foregroundWindow() override;
};

class Win32TextMeasure : public TextMeasure {
public:
    Win32TextMeasure();
    Extent measure(const Font& font, const std::string& text) override;

private:
    // Labels share a handful of fonts; creating one per measurement would be wasteful.
    std::map<std::string, GdiObject<HFONT>> fonts_;
    MemoryDc dc_;  // goes first, giving back the font it holds
};

// Shell_NotifyIconA for the main window; the window handle is set when it exists.
class Win32Tray : public Tray {
public:
    bool add(const TrayRecord& record) override;
    void remove(const TrayRecord& record) override;
    HWND window = nullptr;
    HICON icon = nullptr;
};

// The running executable's full path, and its directory with a trailing backslash.
std::string executablePath();
std::string programDirectory();

}  // namespace tabrix::win32
