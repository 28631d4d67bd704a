#pragma once
#include <string>

#include "platform/Platform.h"
#include "platform/SystemApi.h"

namespace tabrix {

// The system's answers that cannot change until the system says so, asked once: the Windows
// version and the user name for the whole run (a process runs under one logon), the display
// mode until a display change is announced, the decimal separator until the user's settings
// change. Everything else goes to the system every time.
class CachedSystem : public SystemApi {
public:
    explicit CachedSystem(SystemApi& system) : system_(system) {}

    bool version(VersionInfo& info) override;
    MemoryStatus memoryStatus() override { return system_.memoryStatus(); }
    PowerStatus powerStatus() override { return system_.powerStatus(); }
    DisplayMode displayMode() override;
    uint32_t tickCount() override { return system_.tickCount(); }
    bool userName(std::string& name) override;
    bool connectedState(uint32_t& flags) override { return system_.connectedState(flags); }
    char decimalSeparator() override;

    void displayChanged() override { displayKnown_ = false; }
    void settingsChanged() override { separatorKnown_ = false; }

private:
    SystemApi& system_;
    // A question that failed is asked again next time: only an answer is kept.
    bool versionKnown_ = false;
    VersionInfo version_;
    bool userKnown_ = false;
    std::string user_;
    bool displayKnown_ = false;
    DisplayMode display_;
    bool separatorKnown_ = false;
    char separator_ = '.';
};

// The monitors' rectangles, which the full-screen check wants after every tick, listed again
// only when a display change is announced (monitors come, go and change size only with one).
// Their work areas follow the taskbar and are asked every time.
class CachedDesktop : public Desktop {
public:
    explicit CachedDesktop(Desktop& desktop) : desktop_(desktop) {}

    void hideWindow(const std::string& className, const std::string& caption) override {
        desktop_.hideWindow(className, caption);
    }
    Extent frameSize(bool toolCaption) override { return desktop_.frameSize(toolCaption); }
    int screenDpi() override { return desktop_.screenDpi(); }
    std::string drawnCopy(uint32_t fileCrc, int dpi) override { return desktop_.drawnCopy(fileCrc, dpi); }
    int windowsMajorVersion() override { return desktop_.windowsMajorVersion(); }
    std::vector<ScreenRect> workAreas() override { return desktop_.workAreas(); }
    std::vector<ScreenRect> monitorRects() override;
    ForegroundWindow foregroundWindow() override { return desktop_.foregroundWindow(); }
    void displayChanged() override { monitors_.clear(); }

private:
    Desktop& desktop_;
    std::vector<ScreenRect> monitors_;  // empty: not known (the system always tells one)
};

}  // namespace tabrix
