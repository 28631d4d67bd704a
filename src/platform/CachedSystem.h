#pragma once
#include <string>

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

}  // namespace tabrix
