#include <gtest/gtest.h>

#include "../test_support.h"
#include "platform/Error.h"
#include "platform/fake/FakeSystem.h"
#include "sources/Battery.h"
#include "sources/SystemFacts.h"

namespace tabrix {
namespace {

TEST(SourcesNumbers, RoundingGoesHalfToEven) {
    EXPECT_EQ(R(2.5), 2);
    EXPECT_EQ(R(3.5), 4);
    EXPECT_EQ(R(-2.5), -2);
    EXPECT_EQ(R(2.5000001), 3);
    EXPECT_EQ(cpuUsageText(0.125), "12 %   ");
    EXPECT_EQ(cpuUsageText(0.375), "38 %   ");
}

TEST(SourcesNumbers, UsageIsNotClampedAndNeverReadsMinusZero) {
    EXPECT_EQ(cpuUsageText(1.004), "100 %   ");
    EXPECT_EQ(cpuUsageText(1.5), "150 %   ");
    EXPECT_EQ(cpuUsageText(-0.01), "-1 %   ");
    EXPECT_EQ(cpuUsageText(-0.004), "0 %   ");
}

TEST(SourcesNumbers, GeneralTextIsShortestWithFifteenDigits) {
    EXPECT_EQ(generalNumberText(1.5, '.'), "1.5");
    EXPECT_EQ(generalNumberText(10, '.'), "10");
    EXPECT_EQ(generalNumberText(4000 / 3600.0, '.'), "1.11111111111111");
    EXPECT_EQ(generalNumberText(2.0 / 3.0, '.'), "0.666666666666667");
    EXPECT_EQ(generalNumberText(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(generalNumberText(-1.25, '.'), "-1.25");
    EXPECT_EQ(generalNumberText(123456789012345.0, '.'), "123456789012345");
    EXPECT_EQ(generalNumberText(0.0125, '.'), "0.0125");
}

TEST(SourcesNumbers, GeneralTextSwitchesToExponentOutsideFixedRange) {
    EXPECT_EQ(generalNumberText(1e15, '.'), "1E15");
    EXPECT_EQ(generalNumberText(999999999999999.9, '.'), "1E15");
    EXPECT_EQ(generalNumberText(2.5e20, ','), "2,5E20");
    EXPECT_EQ(generalNumberText(0.00001, '.'), "0.00001");
    EXPECT_EQ(generalNumberText(0.000001, '.'), "1E-6");
    EXPECT_EQ(generalNumberText(0.0, '.'), "0");
}

TEST(SourcesNumbers, GeneralTextUsesTheLocaleSeparator) {
    EXPECT_EQ(generalNumberText(1.5, ','), "1,5");
    EXPECT_EQ(generalNumberText(0.25, ','), "0,25");
}

TEST(SourcesVersion, TableRowsAndServicePack) {
    auto text = [](uint32_t major, uint32_t minor, uint32_t platform, const char* sp = "") {
        return GetWindowsVersionText(VersionInfo{major, minor, 0, platform, sp});
    };
    EXPECT_EQ(text(5, 1, kPlatformNt, "Service Pack 2"), "XP Service Pack 2");
    EXPECT_EQ(text(5, 1, kPlatformNt), "XP");
    EXPECT_EQ(text(4, 0, kPlatformNt), "NT 4.0");
    EXPECT_EQ(text(4, 0, kPlatformWin9x), "95");
    EXPECT_EQ(text(4, 10, kPlatformWin9x), "98");
    EXPECT_EQ(text(4, 90, kPlatformWin9x), "ME");
    EXPECT_EQ(text(3, 51, kPlatformNt), "NT 3.51");
    EXPECT_EQ(text(5, 0, kPlatformNt, "Service Pack 4"), "2000 Service Pack 4");
    EXPECT_EQ(text(5, 2, kPlatformNt), "Windows Server 2003");
    EXPECT_EQ(text(6, 0, kPlatformNt), "Longhorn");
    EXPECT_EQ(text(6, 4, kPlatformNt), "");
    EXPECT_EQ(text(7, 0, kPlatformNt, "Service Pack 1"), " Service Pack 1");
}

TEST(SourcesVersion, LaterRowsByProductTypeAndBuild) {
    auto text = [](uint32_t major, uint32_t minor, uint32_t build, uint32_t product, const char* sp = "") {
        return GetWindowsVersionText(VersionInfo{major, minor, build, kPlatformNt, sp, product});
    };
    const uint32_t work = 1, server = 3, controller = 2, untold = 0;
    EXPECT_EQ(text(6, 1, 7601, work, "Service Pack 1"), "7 Service Pack 1");
    EXPECT_EQ(text(6, 1, 7600, untold), "7");
    EXPECT_EQ(text(6, 1, 7601, server), "Windows Server 2008 R2");
    EXPECT_EQ(text(6, 2, 9200, work), "8");
    EXPECT_EQ(text(6, 2, 9200, controller), "Windows Server 2012");
    EXPECT_EQ(text(6, 3, 9600, work), "8.1");
    EXPECT_EQ(text(6, 3, 9600, server), "Windows Server 2012 R2");
    EXPECT_EQ(text(10, 0, 10240, work), "10");
    EXPECT_EQ(text(10, 0, 21999, work), "10");
    EXPECT_EQ(text(10, 0, 22000, work), "11");
    EXPECT_EQ(text(10, 0, 26100, work), "11");
    EXPECT_EQ(text(10, 0, 14392, server), "Windows Server");
    EXPECT_EQ(text(10, 0, 14393, server), "Windows Server 2016");
    EXPECT_EQ(text(10, 0, 17762, server), "Windows Server 2016");
    EXPECT_EQ(text(10, 0, 17763, server), "Windows Server 2019");
    EXPECT_EQ(text(10, 0, 20348, controller), "Windows Server 2022");
    EXPECT_EQ(text(10, 0, 26099, server), "Windows Server 2022");
    EXPECT_EQ(text(10, 0, 26100, server), "Windows Server 2025");
    // The table's own rows win over the product type.
    EXPECT_EQ(text(5, 2, 3790, work), "Windows Server 2003");
    EXPECT_EQ(text(6, 0, 6002, server, "Service Pack 2"), "Longhorn Service Pack 2");
    EXPECT_EQ(text(10, 1, 30000, work), "");
}

TEST(SourcesVersion, FailedCallStopsStartUp) {
    FakeSystem system;
    system.versionWorks = false;
    try {
        ReadWindowsVersion(system);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Can't get the Windows version");
    }
}

TEST(SourcesUptime, SplitsTicksAndWrapsAt32Bits) {
    // clang-format off
    test::expectEach<uint32_t, std::string>(
        uptimeText, {{0, "0 days 0 hrs 0 min "}, {90061000, "1 days 1 hrs 1 min "},
                     {59999, "0 days 0 hrs 0 min "}, {86399999, "0 days 23 hrs 59 min "}, {4294967295u, "49 days 17 hrs 2 min "}});
    // clang-format on
    FakeSystem system;
    system.ticks = 4294967295u;
    system.ticks += 60001;  // the counter wrapped a minute ago
    EXPECT_EQ(uptimeText(system.tickCount()), "0 days 0 hrs 1 min ");
}

TEST(SourcesConnection, LastMatchingBitWins) {
    test::expectEach<uint32_t, std::string>(
        connectionTypeText,
        {{1, "Modem"}, {3, "LAN"}, {6, "Proxy"}, {9, "Modem"}, {0x12, "LAN"}, {0x40, ""}});
    FakeSystem system;
    system.connectionFlags = 2;
    system.connected = false;
    EXPECT_EQ(GetConnectionType(system), "");
    system.connected = true;
    EXPECT_EQ(GetConnectionType(system), "LAN");
}

TEST(SourcesUser, NameOrEmptyOnFailure) {
    FakeSystem system;
    system.user = std::string(252, 'u');
    EXPECT_EQ(GetLoggedOnUserName(system), system.user);
    system.userNameWorks = false;
    EXPECT_EQ(GetLoggedOnUserName(system), "");
}

TEST(SourcesMemory, PhysicalMemoryAddsOneAfterRounding) {
    const MemoryStatus s{0, 536330240, 209715200};  // 511.48 MiB, 200 MiB free
    EXPECT_EQ(memoryText(s, false), "200 / 512 Mb");
    EXPECT_EQ(memoryText(s, true), "311 / 512 Mb");
}

TEST(SourcesMemory, PageFileAddsOneBeforeRounding) {
    const MemoryStatus s{0, 0, 0, 1048576000, 524288000};  // 1000 MiB, 500 MiB free
    EXPECT_EQ(virtualMemoryText(s, true), "502 / 1001 Mb");
    EXPECT_EQ(virtualMemoryText(s, false), "501 / 1001 Mb");
}

TEST(SourcesMemory, BeyondFourGigabytesAndLoad) {
    const MemoryStatus s{43, 16ULL << 30, (5ULL << 30) + (1 << 19)};  // 5120.5 MiB free: to the even 5120
    EXPECT_EQ(memoryText(s, false), "5120 / 16385 Mb");
    EXPECT_EQ(memoryLoadText(s), "43%");
}

PowerStatus power(uint8_t line, uint8_t percent, uint32_t seconds) {
    PowerStatus p;
    p.acLineStatus = line;
    p.batteryLifePercent = percent;
    p.batteryLifeTime = seconds;
    return p;
}

TEST(SourcesBattery, MainsLines) {
    EXPECT_EQ(batteryText(power(1, 255, 0xFFFFFFFF), '.'), "Running on AC");
    EXPECT_EQ(batteryText(power(1, 80, 0xFFFFFFFF), '.'), "Running on AC Battery: 80 % ");
    EXPECT_EQ(batteryText(power(255, 80, 5400), '.'), "");
    EXPECT_EQ(batteryText(power(7, 80, 5400), '.'), "");
}

TEST(SourcesBattery, HoursAreCutToThreeCharacters) {
    EXPECT_EQ(batteryText(power(0, 57, 5400), '.'), "Battery: 57 % Remaining: 1.5 h");
    EXPECT_EQ(batteryText(power(0, 57, 0xFFFFFFFF), '.'), "Battery: 57");
    EXPECT_EQ(batteryText(power(0, 57, 3600), '.'), "Battery: 57 % Remaining: 1 h");
    EXPECT_EQ(batteryText(power(0, 57, 4000), '.'), "Battery: 57 % Remaining: 1.1 h");
    EXPECT_EQ(batteryText(power(0, 57, 36000), '.'), "Battery: 57 % Remaining: 10 h");
    EXPECT_EQ(batteryText(power(0, 57, 45000), '.'), "Battery: 57 % Remaining: 12. h");
    EXPECT_EQ(batteryText(power(0, 57, 900), '.'), "Battery: 57 % Remaining: 0.2 h");
    EXPECT_EQ(batteryText(power(0, 57, 0), '.'), "Battery: 57 % Remaining: 0 h");
    EXPECT_EQ(batteryText(power(0, 57, 0xFFFFFFFE), '.'), "Battery: 57 % Remaining: 119 h");
}

TEST(SourcesBattery, LocaleSeparatorFromThePlatform) {
    FakeSystem system;
    system.power = power(0, 57, 5400);
    system.separator = ',';
    EXPECT_EQ(GetBatteryPowerStats(system), "Battery: 57 % Remaining: 1,5 h");
}

}  // namespace
}  // namespace tabrix
