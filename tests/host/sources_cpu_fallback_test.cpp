#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "error_text.h"
#include "platform/Error.h"
#include "platform/fake/FakeSystem.h"
#include "sources/PerfData.h"
#include "sources/adCpuUsage.h"
#include "sources_perf_block.h"

namespace tabrix {
namespace {

using namespace tabrix::perftest;

using test::errorOf;

TEST(SourcesPerfData, OnlyTheProcessorObjectCounts) {
    std::vector<uint8_t> b = build({{1000, 2000, 3000}}).bytes;
    ProcessorCounters c;
    ASSERT_EQ(readProcessorCounters(b.data(), b.size(), -1, c), PerfFault::None);
    EXPECT_EQ(c.idle, (std::vector<int64_t>{1000, 2000, 3000}));
    EXPECT_EQ(c.objectInstances, 3);
    EXPECT_TRUE(c.timeValid);
    ASSERT_EQ(readProcessorCounters(b.data(), b.size(), 2, c), PerfFault::None);
    EXPECT_EQ(c.idle, (std::vector<int64_t>{1000, 2000}));
}

// Every 32-bit field set to values that lie (zero, one past the end, huge, a large
// negative): the reader answers with a fault or a reading, never steps outside the data.
TEST(SourcesPerfData, EveryFieldLyingIsRefusedOrHarmless) {
    const std::vector<uint8_t> good = build({{1, 2, 3}}).bytes;
    const uint32_t lies[] = {0,
                             1,
                             3,
                             static_cast<uint32_t>(good.size()),
                             static_cast<uint32_t>(good.size()) + 1,
                             0x7FFFFFFF,
                             0xFFFFFFFF,
                             0xFFFFFFF0};
    int faults = 0;
    for (std::size_t at = 0; at + 4 <= good.size(); at += 4) {
        for (uint32_t lie : lies) {
            // An exact-size copy, so that a tool such as ASan sees any read past the end.
            std::vector<uint8_t> b = good;
            std::memcpy(&b[at], &lie, 4);
            ProcessorCounters c;
            if (readProcessorCounters(b.data(), b.size(), -1, c) != PerfFault::None) {
                ++faults;
            } else {
                EXPECT_LE(c.idle.size(), 3u) << "field at " << at << " = " << lie;
            }
        }
    }
    EXPECT_GT(faults, 60);
}

TEST(SourcesPerfData, EachLengthFieldLyingGivesItsFault) {
    using namespace perf;
    const Block g = build({{1, 2, 3}});
    const uint32_t size = static_cast<uint32_t>(g.bytes.size());
    const std::size_t p = g.processor, first = g.processor + kObjectSize;
    const PerfFault object = PerfFault::NoProcessorObject, counter = PerfFault::NoTimeCounter;
    struct Case {
        std::size_t at;
        uint32_t value;
        PerfFault fault;
    } cases[] = {
        {kBlockTotalByteLength, size + 1, object},
        {kBlockHeaderLength, size, object},
        {kBlockNumObjectTypes, 1, object},  // the Processor object is the second
        {g.other + kObjectTotalByteLength, size, object},
        {g.other + kObjectTotalByteLength, 8, object},
        {p + kObjectTotalByteLength, size, object},
        {p + kObjectTotalByteLength, 8, object},
        {p + kObjectHeaderLength, size, counter},
        {p + kObjectDefinitionLength, size, counter},
        {p + kObjectDefinitionLength, kObjectSize + 8, counter},
        {p + kObjectNumCounters, 1, counter},  // the idle counter is the second
        {first + kCounterByteLength, 0, counter},
        {g.secondCounter + kCounterOffset, 17, counter},
        {g.secondCounter + kCounterOffset, 0xFFFFFFFC, counter},
        {p + kObjectNumInstances, 4, counter},
        {p + kObjectNumInstances, 0x40000000, counter},
        {g.instances[1] + kInstanceByteLength, size, counter},
        {g.instances[1] + kInstanceByteLength, 0, counter},
        {g.counterBlocks[2] + kCounterBlockByteLength, size, counter},
        {g.counterBlocks[2] + kCounterBlockByteLength, 0, counter},
    };
    for (const Case& c : cases) {
        Block b = g;
        b.put32(c.at, c.value);
        ProcessorCounters out;
        EXPECT_EQ(readProcessorCounters(b.bytes.data(), b.bytes.size(), -1, out), c.fault)
            << "field at " << c.at << " = " << c.value;
    }
}

TEST(SourcesPerfData, TruncatedBlocksNeverRead) {
    const std::vector<uint8_t> good = build({{1, 2, 3}}).bytes;
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<uint8_t> b(good.begin(), good.begin() + cut);
        ProcessorCounters c;
        EXPECT_EQ(readProcessorCounters(b.data(), b.size(), -1, c), PerfFault::NoProcessorObject) << cut;
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
    sampler.sample();                        // nothing moved
    EXPECT_EQ(sampler.load(1), 0.0);
    // For good: the performance data is not asked again, and its key was let go.
    EXPECT_EQ(api.querySizes.size(), 1u);
    EXPECT_EQ(api.closes, 1);
}

TEST_F(FallbackSampler, AlsoWhenTheCounterIsMissingOrTheQueryFails) {
    BlockShape noCounter;
    noCounter.counterTitle = 7;
    api.data = build(noCounter).bytes;
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

TEST_F(FallbackSampler, EndlessMoreDataIsAskedAFewTimesNotThousands) {
    api.extraMoreData = 1 << 30;
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), kNoObject);
    // The first query and 64 growths of 4096 bytes, then the sample gives up.
    EXPECT_EQ(api.querySizes.size(), 65u);
    EXPECT_EQ(api.querySizes.back(), 8192u + 64 * 4096);
    EXPECT_EQ(sampler.bufferSize(), 8192u + 64 * 4096);
    // At the cap, each later sample is one question.
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), kNoObject);
    EXPECT_EQ(api.querySizes.size(), 66u);
    // With GetSystemTimes there the sampler goes over to it, as for any unreadable data.
    api.hasSystemTimes = true;
    sampler.sample();
    EXPECT_TRUE(sampler.usingSystemTimes());
    EXPECT_EQ(api.querySizes.size(), 67u);
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
    CpuCounters cpu;
    system.versionWorks = false;
    EXPECT_EQ(errorOf([&] { cpu.InitCpuCounters(api, system); }), "Can't get the Windows version");
    EXPECT_EQ(cpu.GetCpuLoad(1), 0.0);

    system.versionWorks = true;
    system.versionInfo = VersionInfo{4, 10, 0, kPlatformWin9x, ""};
    api.dynKeys = {{"PerfStats\\StartStat", 0}, {"PerfStats\\StatData", 37}};
    cpu.InitCpuCounters(api, system);
    cpu.SampleCpuCounters();
    EXPECT_DOUBLE_EQ(cpu.GetCpuLoad(1), 0.37);
    cpu.StopCpuCounters();
    EXPECT_EQ(api.openKeys, 0);
    EXPECT_EQ(cpu.GetCpuLoad(1), 0.0);

    system.versionInfo = VersionInfo{5, 1, 2600, kPlatformNt, "Service Pack 3"};
    api.data = build({}).bytes;
    cpu.InitCpuCounters(api, system);
    cpu.SampleCpuCounters();
    EXPECT_EQ(api.queryNames.back(), "238");
    cpu.StopCpuCounters();
    EXPECT_EQ(api.closes, 1);
}

}  // namespace
}  // namespace tabrix
