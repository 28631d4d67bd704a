#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/fake/FakeSystem.h"
#include "sources/PerfData.h"
#include "sources/adCpuUsage.h"

namespace tabrix {
namespace {

const char* const kNoObject = "Unable to locate the \"Processor\" performance object";
const char* const kNoCounter = "Unable to locate the \"% of CPU usage\" performance counter";

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

// A minimal well-formed block: header, then the Processor object with the idle counter
// and two instances. Every 32-bit field sits at a multiple of four.
std::vector<uint8_t> smallBlock() {
    using namespace perf;
    std::vector<uint8_t> b(kBlockSize + kObjectSize + kCounterDefinitionSize +
                           2 * (kInstanceSize + 16));
    auto put = [&](std::size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    put(kBlockTotalByteLength, static_cast<uint32_t>(b.size()));
    put(kBlockHeaderLength, kBlockSize);
    put(kBlockNumObjectTypes, 1);
    const uint16_t time[8] = {2026, 12, 1, 7, 8, 0, 0, 0};
    std::memcpy(&b[kBlockSystemTime], time, sizeof time);
    std::size_t o = kBlockSize;
    put(o + kObjectTotalByteLength, static_cast<uint32_t>(b.size() - o));
    put(o + kObjectDefinitionLength, kObjectSize + kCounterDefinitionSize);
    put(o + kObjectHeaderLength, kObjectSize);
    put(o + kObjectNameTitleIndex, kProcessorObject);
    put(o + kObjectNumCounters, 1);
    put(o + kObjectNumInstances, 2);
    put(o + kObjectSize + kCounterByteLength, kCounterDefinitionSize);
    put(o + kObjectSize + kCounterNameTitleIndex, kProcessorTimeCounter);
    put(o + kObjectSize + kCounterOffset, 8);
    std::size_t at = o + kObjectSize + kCounterDefinitionSize;
    for (int i = 0; i < 2; ++i) {
        put(at + kInstanceByteLength, kInstanceSize);
        put(at + kInstanceSize + kCounterBlockByteLength, 16);
        put(at + kInstanceSize + 8, 1000u * (i + 1));
        at += kInstanceSize + 16;
    }
    return b;
}

TEST(SourcesPerfData, TheSmallBlockReads) {
    std::vector<uint8_t> b = smallBlock();
    ProcessorCounters c;
    ASSERT_EQ(readProcessorCounters(b.data(), b.size(), -1, c), PerfFault::None);
    EXPECT_EQ(c.idle, (std::vector<int64_t>{1000, 2000}));
    EXPECT_TRUE(c.timeValid);
}

// Every 32-bit field set to values that lie (zero, one past the end, huge, a large
// negative): the reader answers with a fault or a reading, never steps outside the data.
TEST(SourcesPerfData, EveryFieldLyingIsRefusedOrHarmless) {
    const std::vector<uint8_t> good = smallBlock();
    const uint32_t lies[] = {0, 1, 3, static_cast<uint32_t>(good.size()),
                             static_cast<uint32_t>(good.size()) + 1, 0x7FFFFFFF, 0xFFFFFFFF,
                             0xFFFFFFF0};
    int faults = 0;
    for (std::size_t at = 0; at + 4 <= good.size(); at += 4) {
        for (uint32_t lie : lies) {
            std::vector<uint8_t> b = good;
            std::memcpy(&b[at], &lie, 4);
            // An exact-size copy, so that a tool such as ASan sees any read past the end.
            std::vector<uint8_t> exact(b.begin(), b.end());
            ProcessorCounters c;
            PerfFault f = readProcessorCounters(exact.data(), exact.size(), -1, c);
            if (f != PerfFault::None) {
                ++faults;
            } else {
                EXPECT_LE(c.idle.size(), 2u) << "field at " << at << " = " << lie;
            }
        }
    }
    EXPECT_GT(faults, 40);
}

TEST(SourcesPerfData, EachLengthFieldLyingGivesItsFault) {
    using namespace perf;
    const std::size_t o = kBlockSize;
    const std::size_t firstInstance = o + kObjectSize + kCounterDefinitionSize;
    struct Case {
        std::size_t at;
        uint32_t value;
        PerfFault fault;
    } cases[] = {
        {kBlockTotalByteLength, 10000, PerfFault::NoProcessorObject},
        {kBlockHeaderLength, 10000, PerfFault::NoProcessorObject},
        {kBlockNumObjectTypes, 0, PerfFault::NoProcessorObject},
        {o + kObjectTotalByteLength, 10000, PerfFault::NoProcessorObject},
        {o + kObjectTotalByteLength, 8, PerfFault::NoProcessorObject},
        {o + kObjectHeaderLength, 10000, PerfFault::NoTimeCounter},
        {o + kObjectDefinitionLength, 10000, PerfFault::NoTimeCounter},
        {o + kObjectDefinitionLength, kObjectSize + 8, PerfFault::NoTimeCounter},
        {o + kObjectNumCounters, 0, PerfFault::NoTimeCounter},
        {o + kObjectNumInstances, 3, PerfFault::NoTimeCounter},
        {o + kObjectNumInstances, 0x40000000, PerfFault::NoTimeCounter},
        {o + kObjectSize + kCounterOffset, 9, PerfFault::NoTimeCounter},
        {o + kObjectSize + kCounterOffset, 0xFFFFFFFC, PerfFault::NoTimeCounter},
        {firstInstance + kInstanceByteLength, 10000, PerfFault::NoTimeCounter},
        {firstInstance + kInstanceByteLength, 0, PerfFault::NoTimeCounter},
        {firstInstance + kInstanceSize + kCounterBlockByteLength, 10000, PerfFault::NoTimeCounter},
        {firstInstance + kInstanceSize + kCounterBlockByteLength, 0, PerfFault::NoTimeCounter},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> b = smallBlock();
        std::memcpy(&b[c.at], &c.value, 4);
        ProcessorCounters out;
        EXPECT_EQ(readProcessorCounters(b.data(), b.size(), -1, out), c.fault)
            << "field at " << c.at << " = " << c.value;
    }
}

TEST(SourcesPerfData, TruncatedBlocksNeverRead) {
    const std::vector<uint8_t> good = smallBlock();
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<uint8_t> b(good.begin(), good.begin() + cut);
        ProcessorCounters c;
        EXPECT_EQ(readProcessorCounters(b.data(), b.size(), -1, c), PerfFault::NoProcessorObject)
            << cut;
        // Even when the block's own length is made to agree with the cut.
        if (cut >= perf::kBlockSize) {
            uint32_t length = static_cast<uint32_t>(cut);
            std::memcpy(&b[perf::kBlockTotalByteLength], &length, 4);
            EXPECT_NE(readProcessorCounters(b.data(), b.size(), -1, c), PerfFault::None) << cut;
        }
    }
}

struct FallbackSampler : ::testing::Test {
    FakePerformance api;
    CpuUsageSampler sampler{api, true};
    void times(uint64_t idle, uint64_t kernel, uint64_t user) {
        api.idleTime = idle;
        api.kernelTime = kernel;
        api.userTime = user;
    }
};

TEST_F(FallbackSampler, SystemTimesServeWhenTheObjectIsMissing) {
    api.data = {1, 2, 3};  // no block at all
    api.hasSystemTimes = true;
    times(100, 500, 100);
    sampler.sample();
    EXPECT_TRUE(sampler.usingSystemTimes());
    EXPECT_EQ(sampler.load(1), 0.0);
    times(100 + 300, 500 + 800, 100 + 200);  // kernel includes the idle 300 of 1000
    sampler.sample();
    EXPECT_DOUBLE_EQ(sampler.load(1), 0.7);
    EXPECT_DOUBLE_EQ(sampler.load(7), 0.7);  // whole machine, whatever the index
    sampler.sample();                         // nothing moved
    EXPECT_EQ(sampler.load(1), 0.0);
    // For good: the performance data is not asked again, and its key was let go.
    EXPECT_EQ(api.querySizes.size(), 1u);
    EXPECT_EQ(api.closes, 1);
}

TEST_F(FallbackSampler, AlsoWhenTheCounterIsMissingOrTheQueryFails) {
    std::vector<uint8_t> b = smallBlock();
    uint32_t other = 7;
    std::memcpy(&b[perf::kBlockSize + perf::kObjectSize + perf::kCounterNameTitleIndex], &other, 4);
    api.data = b;
    api.hasSystemTimes = true;
    sampler.sample();
    EXPECT_TRUE(sampler.usingSystemTimes());

    FakePerformance failing;
    failing.queryFails = true;
    failing.hasSystemTimes = true;
    CpuUsageSampler second(failing, true);
    EXPECT_EQ(second.load(0), 0.0);
    EXPECT_TRUE(second.usingSystemTimes());
}

TEST_F(FallbackSampler, NeitherSourceKeepsTheTexts) {
    api.data = {};
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), kNoObject);
    EXPECT_EQ(errorOf([&] { sampler.load(1); }), kNoObject);
    api.hasSystemTimes = true;
    sampler.sample();
    api.hasSystemTimes = false;  // gone later: the texts again, no figure from stale times
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), kNoObject);
}

TEST_F(FallbackSampler, EndlessMoreDataEndsAtTheCap) {
    api.extraMoreData = 1 << 30;
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), kNoObject);
    EXPECT_EQ(sampler.bufferSize(), CpuUsageSampler::kMaxBufferSize);
}

struct Win9xSampler : ::testing::Test {
    FakePerformance api;
    CpuUsageSampler sampler{api, false};
};

TEST_F(Win9xSampler, StatisticStartedReadAndStopped) {
    api.dynKeys = {{"PerfStats\\StartStat", 0}, {"PerfStats\\StatData", 37}, {"PerfStats\\StopStat", 0}};
    EXPECT_DOUBLE_EQ(sampler.load(0), 0.37);
    EXPECT_DOUBLE_EQ(sampler.load(5), 0.37);
    api.dynKeys["PerfStats\\StatData"] = 80;
    sampler.sample();
    EXPECT_DOUBLE_EQ(sampler.load(1), 0.8);
    EXPECT_EQ(api.opened, (std::vector<std::string>{"PerfStats\\StartStat rw", "PerfStats\\StatData r"}));
    EXPECT_EQ(api.openKeys, 1);
    sampler.stop();
    EXPECT_EQ(api.openKeys, 0);
    EXPECT_EQ(api.opened.back(), "PerfStats\\StopStat rw");
    EXPECT_EQ(api.reads.back(), "PerfStats\\StopStat");
    EXPECT_TRUE(api.querySizes.empty());
}

TEST_F(Win9xSampler, FailedStartIsTriedAgain) {
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), "Unable to start performance monitoring");
    api.dynKeys["PerfStats\\StartStat"] = 0;
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), "Unable to read performance data");
    EXPECT_EQ(api.openKeys, 0);
    api.dynKeys["PerfStats\\StatData"] = 12;
    sampler.sample();
    EXPECT_DOUBLE_EQ(sampler.load(0), 0.12);
    EXPECT_EQ(std::count(api.opened.begin(), api.opened.end(), "PerfStats\\StartStat rw"), 3);
    sampler.stop();  // no StopStat key: ignored
    EXPECT_EQ(api.openKeys, 0);
}

TEST(SourcesCpuModule, VersionChoosesTheBackEnd) {
    FakeSystem system;
    FakePerformance api;
    system.versionWorks = false;
    EXPECT_EQ(errorOf([&] { InitCpuCounters(api, system); }), "Can't get the Windows version");
    EXPECT_EQ(GetCpuLoad(1), 0.0);

    system.versionWorks = true;
    system.versionInfo = VersionInfo{4, 10, 0, kPlatformWin9x, ""};
    api.dynKeys = {{"PerfStats\\StartStat", 0}, {"PerfStats\\StatData", 37}};
    InitCpuCounters(api, system);
    SampleCpuCounters();
    EXPECT_DOUBLE_EQ(GetCpuLoad(1), 0.37);
    StopCpuCounters();
    EXPECT_EQ(api.openKeys, 0);
    EXPECT_EQ(GetCpuLoad(1), 0.0);

    system.versionInfo = VersionInfo{5, 1, 2600, kPlatformNt, "Service Pack 3"};
    api.data = smallBlock();
    InitCpuCounters(api, system);
    SampleCpuCounters();
    EXPECT_EQ(api.queryNames.back(), "238");
    StopCpuCounters();
    EXPECT_EQ(api.closes, 1);
}

}  // namespace
}  // namespace tabrix
