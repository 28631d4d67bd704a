#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>
#include <winperf.h>

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <regex>
#include <string>

#include "platform/win32/Win32System.h"
#include "sources/Battery.h"
#include "sources/PerfData.h"
#include "sources/SystemFacts.h"
#include "sources/WAmpMsg.h"
#include "sources/adCpuUsage.h"
#include "sources/cpuinfo.h"
#include "test_helpers.h"

namespace tabrix {
namespace {

using test::hostModelName;
using test::trimmed;

TEST(SourcesWin32, BrandStringIsTheHostsModelName) {
    win32::Win32Cpuid cpu;
    ASSERT_TRUE(HasCpuid(cpu));
    std::string brand = GetCpuBrandName(cpu);
    std::string host = hostModelName();
    ASSERT_FALSE(host.empty()) << "no Z:\\proc\\cpuinfo";
    // The kernel trims the brand; ours keeps any blanks the processor puts around it.
    EXPECT_EQ(trimmed(brand), host);
    EXPECT_LE(brand.size(), 48u);
    TCPUID record(cpu);
    EXPECT_TRUE(record.record().available);
    EXPECT_GE(record.GetFamily(), 5);
    std::printf("brand \"%s\", class %s\n", brand.c_str(), CpuClassText(record.GetFamily()).c_str());
}

TEST(SourcesWin32, VersionText) {
    win32::Win32System system;
    VersionInfo v = ReadWindowsVersion(system);
    std::string text = GetWindowsVersionText(v);
    std::printf("version %u.%u.%u platform %u \"%s\" -> \"%s\"\n", v.majorVersion, v.minorVersion,
                v.buildNumber, v.platformId, v.csdVersion.c_str(), text.c_str());
    EXPECT_EQ(v.platformId, kPlatformNt);
    EXPECT_EQ(text, "XP Service Pack 3");
}

TEST(SourcesWin32, UserNameIsWines) {
    win32::Win32System system;
    char expected[256] = {};
    DWORD size = GetEnvironmentVariableA("USERNAME", expected, sizeof expected);
    std::string name = GetLoggedOnUserName(system);
    EXPECT_FALSE(name.empty());
    if (size > 0 && size < sizeof expected) {
        EXPECT_EQ(name, expected);
    }
}

TEST(SourcesWin32, TextsHaveTheirShapes) {
    win32::Win32System system;
    EXPECT_TRUE(
        std::regex_match(uptimeText(system.tickCount()), std::regex("[0-9]+ days [0-9]+ hrs [0-9]+ min ")));
    MemoryStatus m = system.memoryStatus();
    EXPECT_GT(m.totalPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);
    EXPECT_LE(m.memoryLoad, 100u);
    const std::regex pair("[0-9]+ / [0-9]+ Mb");
    EXPECT_TRUE(std::regex_match(memoryText(m, false), pair)) << memoryText(m, false);
    EXPECT_TRUE(std::regex_match(memoryText(m, true), pair)) << memoryText(m, true);
    EXPECT_TRUE(std::regex_match(virtualMemoryText(m, false), pair));
    EXPECT_TRUE(std::regex_match(memoryLoadText(m), std::regex("[0-9]+%")));
    DisplayMode d = system.displayMode();
    EXPECT_EQ(d.width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(d.width, 0);
    EXPECT_TRUE(std::regex_match(displayText(d), std::regex("[0-9]+Hz @ [0-9]+x[0-9]+")));
    // The system's own answer, read with the system's own flag names: a busy modem outranks
    // a proxy, which outranks a LAN.
    DWORD state = 0;
    const bool connected = InternetGetConnectedState(&state, 0) != FALSE;
    const char* expectedConnection = !connected                                 ? ""
                                     : (state & INTERNET_CONNECTION_MODEM_BUSY) ? "Modem"
                                     : (state & INTERNET_CONNECTION_PROXY)      ? "Proxy"
                                     : (state & INTERNET_CONNECTION_LAN)        ? "LAN"
                                     : (state & INTERNET_CONNECTION_MODEM)      ? "Modem"
                                                                                : "";
    std::string connection = GetConnectionType(system);
    EXPECT_EQ(connection, expectedConnection) << "flags " << state;
    char separator = system.decimalSeparator();
    std::printf(
        "uptime \"%s\", memory \"%s\", load \"%s\", page file \"%s\", display \"%s\", "
        "connection \"%s\", battery \"%s\", separator '%c'\n",
        uptimeText(system.tickCount()).c_str(), memoryText(m, false).c_str(), memoryLoadText(m).c_str(),
        virtualMemoryText(m, false).c_str(), displayText(d).c_str(), connection.c_str(),
        GetBatteryPowerStats(system).c_str(), separator);
}

TEST(SourcesWin32, PerformanceDataLayoutMatchesTheHeaders) {
    using namespace perf;
    using Places = std::vector<size_t>;
    // Each structure's field offsets, then its size.
    EXPECT_EQ((Places{offsetof(PERF_DATA_BLOCK, TotalByteLength), offsetof(PERF_DATA_BLOCK, HeaderLength),
                      offsetof(PERF_DATA_BLOCK, NumObjectTypes), offsetof(PERF_DATA_BLOCK, SystemTime),
                      sizeof(PERF_DATA_BLOCK)}),
              (Places{kBlockTotalByteLength, kBlockHeaderLength, kBlockNumObjectTypes, kBlockSystemTime,
                      kBlockSize}));
    EXPECT_EQ(
        (Places{offsetof(PERF_OBJECT_TYPE, TotalByteLength), offsetof(PERF_OBJECT_TYPE, DefinitionLength),
                offsetof(PERF_OBJECT_TYPE, HeaderLength), offsetof(PERF_OBJECT_TYPE, ObjectNameTitleIndex),
                offsetof(PERF_OBJECT_TYPE, NumCounters), offsetof(PERF_OBJECT_TYPE, NumInstances),
                sizeof(PERF_OBJECT_TYPE)}),
        (Places{kObjectTotalByteLength, kObjectDefinitionLength, kObjectHeaderLength, kObjectNameTitleIndex,
                kObjectNumCounters, kObjectNumInstances, kObjectSize}));
    EXPECT_EQ((Places{offsetof(PERF_COUNTER_DEFINITION, ByteLength),
                      offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex),
                      offsetof(PERF_COUNTER_DEFINITION, CounterOffset), sizeof(PERF_COUNTER_DEFINITION)}),
              (Places{kCounterByteLength, kCounterNameTitleIndex, kCounterOffset, kCounterDefinitionSize}));
    EXPECT_EQ((Places{offsetof(PERF_INSTANCE_DEFINITION, ByteLength), sizeof(PERF_INSTANCE_DEFINITION),
                      sizeof(PERF_COUNTER_BLOCK)}),
              (Places{kInstanceByteLength, kInstanceSize, kCounterBlockSize}));
}

TEST(SourcesWin32, TimeConversionAgreesWithTheSystem) {
    const SYSTEMTIME times[] = {
        {2026, 12, 1, 7, 8, 30, 15, 250}, {1601, 1, 1, 1, 0, 0, 0, 0}, {2000, 2, 2, 29, 23, 59, 59, 999}};
    for (const SYSTEMTIME& st : times) {
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
        int64_t ours = 0;
        ASSERT_TRUE(systemTimeToFileTime(reinterpret_cast<const uint16_t*>(&st), ours));
        EXPECT_EQ(ours, int64_t((uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime));
    }
}

TEST(SourcesWin32, SamplerGivesAFigure) {
    win32::Win32Performance performance;
    win32::Win32System system;
    CpuUsageSampler sampler(performance, true);
    sampler.sample();
    Sleep(300);
    sampler.sample();
    double load = sampler.load(sampler.usingSystemTimes() ? 0 : sampler.instanceCount() - 1);
    std::printf("load %.3f from %s, %d instances, buffer %u bytes\n", load,
                sampler.usingSystemTimes() ? "GetSystemTimes" : "performance data", sampler.instanceCount(),
                static_cast<unsigned>(sampler.bufferSize()));
    EXPECT_GE(load, -0.05);
    EXPECT_LE(load, 1.05);
    sampler.stop();
}

// A stand-in player window in this thread: records the commands it gets.
std::vector<WPARAM> received;
LRESULT CALLBACK playerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        received.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(SourcesWin32, PlayerWindowByClassCaptionAndCommands) {
    win32::Win32PlayerWindow windows;
    EXPECT_EQ(TWinampApi(windows, "0").GetCurrentSong(), "Winamp isn't running");

    WNDCLASSA wc{};
    wc.lpfnWndProc = playerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kPlayerClass;
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND hwnd = CreateWindowA(kPlayerClass, "3. Artist - Title - Winamp", WS_OVERLAPPED, 0, 0, 10, 10,
                              nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(hwnd);
    TWinampApi player(windows, "0");
    EXPECT_EQ(player.GetCurrentSong(), "3. Artist - Title");
    player.Pause();
    player.Next();
    EXPECT_EQ(received, (std::vector<WPARAM>{40046, 40048}));
    DestroyWindow(hwnd);
    EXPECT_EQ(player.GetCurrentSong(), "");
    UnregisterClassA(kPlayerClass, wc.hInstance);
}

}  // namespace
}  // namespace tabrix
