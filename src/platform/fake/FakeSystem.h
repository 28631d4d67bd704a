#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/SystemApi.h"

namespace tabrix {

// System facts for host tests: every answer is a public field to set.
class FakeSystem : public SystemApi {
public:
    bool version(VersionInfo& info) override {
        ++versionQueries;
        return versionAnswer(info);
    }
    MemoryStatus memoryStatus() override { return memory; }
    PowerStatus powerStatus() override { return power; }
    DisplayMode displayMode() override {
        ++displayQueries;
        return display;
    }
    uint32_t tickCount() override { return ticks; }
    bool userName(std::string& name) override {
        ++userQueries;
        return userAnswer(name);
    }
    bool connectedState(uint32_t& flags) override;
    char decimalSeparator() override {
        ++separatorQueries;
        return separator;
    }
    // How often each question reached the system.
    int versionQueries = 0;
    int displayQueries = 0;
    int userQueries = 0;
    int separatorQueries = 0;

    bool versionWorks = true;
    VersionInfo versionInfo{5, 1, 2600, kPlatformNt, "Service Pack 3"};
    MemoryStatus memory;
    PowerStatus power;
    DisplayMode display{60, 32, 1024, 768};
    uint32_t ticks = 0;
    bool userNameWorks = true;
    std::string user = "tester";
    bool connected = true;
    uint32_t connectionFlags = 2;
    char separator = '.';

private:
    bool versionAnswer(VersionInfo& info);
    bool userAnswer(std::string& name);
};

// Performance data, GetSystemTimes and the 9x statistics keys, all scripted.
class FakePerformance : public PerformanceApi {
public:
    PerfQuery queryPerformanceData(const std::string& valueName, uint8_t* buffer, uint32_t size,
                                   uint32_t& returned) override;
    void closePerformanceData() override { ++closes; }
    bool systemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) override;
    std::unique_ptr<DynKey> openDynKey(const std::string& subKey, bool fullAccess) override;

    // The block the next queries answer with; a buffer smaller than it gets MoreData.
    std::vector<uint8_t> data;
    // Answered with MoreData this many more times whatever the buffer size.
    int extraMoreData = 0;
    bool queryFails = false;
    std::vector<uint32_t> querySizes;  // the size of every query, in order
    std::vector<std::string> queryNames;
    int closes = 0;

    bool hasSystemTimes = false;
    uint64_t idleTime = 0, kernelTime = 0, userTime = 0;
    int systemTimesCalls = 0;

    // 9x keys: subkeys that open, the DWORD each value read answers, and what happened.
    std::map<std::string, uint32_t> dynKeys;  // subkey -> value of "KERNEL\CPUUsage"
    std::vector<std::string> opened;          // "subkey rw" or "subkey r", in order
    std::vector<std::string> reads;           // subkeys read, in order
    int openKeys = 0;                         // opened and not yet closed
};

// CPUID answers by leaf; leaves not set answer zeros.
class FakeCpuid : public CpuidApi {
public:
    bool idBitToggles() override { return hasCpuid; }
    CpuidRegisters cpuid(uint32_t leaf) override;

    bool hasCpuid = true;
    std::map<uint32_t, CpuidRegisters> leaves;
    std::vector<uint32_t> executed;
    // Leaves 0x80000002..4 spelling brand (at most 48 bytes, zero-padded), and leaf
    // 0x80000000 reporting them.
    void setBrand(const std::string& brand);
};

// Top-level windows by class with their captions; commands are recorded.
class FakePlayerWindow : public PlayerWindow {
public:
    Handle find(const std::string& className) override;
    std::string caption(Handle window) override;
    bool sendCommand(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                     uint32_t timeoutMs) override;
    std::vector<TopWindow> topWindows() override;
    std::string processOf(Handle window) override {
        ++processQuestions;
        return windows_.count(window) ? windows_[window].process : std::string();
    }
    int processQuestions = 0;
    bool exists(Handle window) override { return windows_.count(window) != 0; }
    std::string wideCaption(Handle window) override { return caption(window); }
    bool post(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    bool ask(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
             uintptr_t& answer) override;

    struct Command {
        Handle window;
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
        uint32_t timeoutMs;
    };
    // Opens a window of the class with the caption; returns its handle.
    Handle open(const std::string& className, const std::string& caption, const std::string& process = "");
    void close(Handle window);
    void setCaption(Handle window, const std::string& caption);

    bool hung = false;              // commands time out
    std::vector<Command> commands;  // sent and posted (a posted one has timeoutMs 0)
    int finds = 0;
    int enumerations = 0;  // topWindows() calls
    uintptr_t answer = 0;  // what ask() gets

private:
    struct Window {
        std::string className;
        std::string caption;
        std::string process;
    };
    std::map<Handle, Window> windows_;
    Handle next_ = 0x100;
};

}  // namespace tabrix
