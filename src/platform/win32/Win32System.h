#pragma once
#include <map>

#include "platform/SystemApi.h"

namespace tabrix::win32 {

// GetVersionExA, GlobalMemoryStatus(Ex), GetSystemPowerStatus, the display mode,
// GetTickCount, GetUserNameA, InternetGetConnectedState and the locale separator.
class Win32System : public SystemApi {
public:
    bool version(VersionInfo& info) override;
    MemoryStatus memoryStatus() override;
    PowerStatus powerStatus() override;
    DisplayMode displayMode() override;
    uint32_t tickCount() override;
    bool userName(std::string& name) override;
    bool connectedState(uint32_t& flags) override;
    char decimalSeparator() override;
};

// HKEY_PERFORMANCE_DATA, GetSystemTimes and HKEY_DYN_DATA.
class Win32Performance : public PerformanceApi {
public:
    PerfQuery queryPerformanceData(const std::string& valueName, uint8_t* buffer, uint32_t size,
                                   uint32_t& returned) override;
    void closePerformanceData() override;
    bool systemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) override;
    std::unique_ptr<DynKey> openDynKey(const std::string& subKey, bool fullAccess) override;
};

// The CPUID instruction of the processor this runs on.
class Win32Cpuid : public CpuidApi {
public:
    bool idBitToggles() override;
    CpuidRegisters cpuid(uint32_t leaf) override;
};

// FindWindowA, EnumWindows, GetWindowTextA/W, PostMessageA and SendMessageTimeoutA.
class Win32PlayerWindow : public PlayerWindow {
public:
    Handle find(const std::string& className) override;
    std::string caption(Handle window) override;
    bool sendCommand(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                     uint32_t timeoutMs) override;
    std::vector<TopWindow> topWindows() override;
    std::string processOf(Handle window) override;

private:
    // The snapshot of the processes, taken for one look over the windows.
    std::map<unsigned long, std::string> processes_;
    bool snapshot_ = false;

public:
    bool exists(Handle window) override;
    std::string wideCaption(Handle window) override;
    bool post(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    bool ask(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
             uintptr_t& answer) override;
};

}  // namespace tabrix::win32
