#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/Error.h"
#include "platform/fake/FakeSystem.h"
#include "sources/PerfData.h"
#include "sources/adCpuUsage.h"

namespace tabrix {
namespace {

const char* const kNoObject = "Unable to locate the \"Processor\" performance object";
const char* const kNoCounter = "Unable to locate the \"% of CPU usage\" performance counter";

constexpr int64_t kSecond = 10000000;  // FILETIME ticks

// A performance data block as the system lays it out: a header with a system name, an
// unrelated object first, then the Processor object with two counter definitions (the
// idle counter second) and one instance per entry of idle. Offsets of the parts are
// kept so that tests can make any field lie.
struct Block {
    std::vector<uint8_t> bytes;
    std::size_t processor = 0, secondCounter = 0;
    std::vector<std::size_t> instances, counterBlocks;

    void put16(std::size_t at, uint16_t v) { std::memcpy(&bytes[at], &v, 2); }
    void put32(std::size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); }
    void put64(std::size_t at, int64_t v) { std::memcpy(&bytes[at], &v, 8); }
    uint32_t get32(std::size_t at) const {
        uint32_t v;
        std::memcpy(&v, &bytes[at], 4);
        return v;
    }
    std::size_t grow(std::size_t n) {
        std::size_t at = bytes.size();
        bytes.resize(at + n, 0);
        return at;
    }
};

struct BlockSpec {
    std::vector<int64_t> idle{0, 0, 0};
    int seconds = 0;       // of the SystemTime, 2026-12-07 08:00:00 plus this
    int milliseconds = 0;
    uint32_t processorTitle = 238;
    uint32_t counterTitle = 6;
    std::size_t padding = 0;  // extra bytes at the end, counted in TotalByteLength
};

Block build(const BlockSpec& spec) {
    using namespace perf;
    Block b;
    b.grow(kBlockSize + 16);  // header and a UTF-16 system name
    b.put32(kBlockHeaderLength, static_cast<uint32_t>(b.bytes.size()));
    b.put32(kBlockNumObjectTypes, 2);
    const uint16_t time[8] = {2026, 12, 1, 7, 8, static_cast<uint16_t>(spec.seconds / 60),
                              static_cast<uint16_t>(spec.seconds % 60),
                              static_cast<uint16_t>(spec.milliseconds)};
    for (int i = 0; i < 8; ++i) b.put16(kBlockSystemTime + 2 * i, time[i]);

    // An object without instances: header, one definition, one counter block.
    std::size_t other = b.grow(kObjectSize + kCounterDefinitionSize + 16);
    b.put32(other + kObjectTotalByteLength, kObjectSize + kCounterDefinitionSize + 16);
    b.put32(other + kObjectDefinitionLength, kObjectSize + kCounterDefinitionSize);
    b.put32(other + kObjectHeaderLength, kObjectSize);
    b.put32(other + kObjectNameTitleIndex, 2);
    b.put32(other + kObjectNumCounters, 1);
    b.put32(other + kObjectNumInstances, 0xFFFFFFFF);
    b.put32(other + kObjectSize + kCounterNameTitleIndex, 6);  // same index, other object
    b.put32(other + kObjectSize + kCounterDefinitionSize, 16);

    b.processor = b.grow(kObjectSize + 2 * kCounterDefinitionSize);
    b.put32(b.processor + kObjectDefinitionLength, kObjectSize + 2 * kCounterDefinitionSize);
    b.put32(b.processor + kObjectHeaderLength, kObjectSize);
    b.put32(b.processor + kObjectNameTitleIndex, spec.processorTitle);
    b.put32(b.processor + kObjectNumCounters, 2);
    b.put32(b.processor + kObjectNumInstances, static_cast<uint32_t>(spec.idle.size()));
    std::size_t first = b.processor + kObjectSize;
    b.put32(first + kCounterByteLength, kCounterDefinitionSize);
    b.put32(first + kCounterNameTitleIndex, 142);
    b.put32(first + kCounterOffset, 8);
    b.secondCounter = first + kCounterDefinitionSize;
    b.put32(b.secondCounter + kCounterByteLength, kCounterDefinitionSize);
    b.put32(b.secondCounter + kCounterNameTitleIndex, spec.counterTitle);
    b.put32(b.secondCounter + kCounterOffset, 16);
    for (int64_t idle : spec.idle) {
        std::size_t instance = b.grow(kInstanceSize + 8);  // with a UTF-16 name
        b.put32(instance + kInstanceByteLength, kInstanceSize + 8);
        std::size_t counters = b.grow(24);
        b.put32(counters + kCounterBlockByteLength, 24);
        b.put64(counters + 8, 12345);
        b.put64(counters + 16, idle);
        b.instances.push_back(instance);
        b.counterBlocks.push_back(counters);
    }
    b.put32(b.processor + kObjectTotalByteLength,
            static_cast<uint32_t>(b.bytes.size() - b.processor));
    b.grow(spec.padding);
    b.put32(kBlockTotalByteLength, static_cast<uint32_t>(b.bytes.size()));
    return b;
}

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

struct NtSampler : ::testing::Test {
    FakePerformance api;
    CpuUsageSampler sampler{api, true};

    void sampleWith(const BlockSpec& spec) {
        api.data = build(spec).bytes;
        sampler.sample();
    }
};

TEST_F(NtSampler, EachInstanceOverOneInterval) {
    sampleWith({{100, 200, 300}, 0});
    EXPECT_EQ(sampler.instanceCount(), 3);
    EXPECT_EQ(sampler.load(1), 0.0);  // no interval yet
    sampleWith({{100 + kSecond / 4, 200 + kSecond / 2, 300 + kSecond / 8}, 1});
    EXPECT_DOUBLE_EQ(sampler.load(0), 0.75);
    EXPECT_DOUBLE_EQ(sampler.load(1), 0.5);
    EXPECT_DOUBLE_EQ(sampler.load(2), 0.875);
    // Only the last interval counts, and the clock has millisecond resolution.
    sampleWith({{100 + kSecond / 4, 200 + kSecond, 300}, 1, 500});
    EXPECT_DOUBLE_EQ(sampler.load(0), 1.0);
    EXPECT_DOUBLE_EQ(sampler.load(1), 0.0);
    EXPECT_DOUBLE_EQ(sampler.load(2), 1.0 + 0.125 / 0.5);
}

TEST_F(NtSampler, EqualTimeStampsReadZeroAndOverlongIdleReadsNegative) {
    sampleWith({{0, 0}, 3});
    sampleWith({{kSecond / 2, kSecond / 2}, 3});
    EXPECT_EQ(sampler.load(1), 0.0);
    sampleWith({{kSecond / 2 + kSecond * 3 / 2, kSecond}, 4});
    EXPECT_DOUBLE_EQ(sampler.load(0), -0.5);
    EXPECT_DOUBLE_EQ(sampler.load(1), 0.5);
}

TEST_F(NtSampler, LoadBeforeAnySampleTakesOne) {
    api.data = build({{5, 5}}).bytes;
    EXPECT_EQ(sampler.load(1), 0.0);
    EXPECT_EQ(api.querySizes.size(), 1u);
    EXPECT_EQ(api.queryNames[0], "238");
    EXPECT_EQ(sampler.instanceCount(), 2);
}

TEST_F(NtSampler, BufferGrowsByStepsAndNeverShrinks) {
    BlockSpec big{{0, 0}, 0};
    big.padding = 18000;
    sampleWith(big);
    EXPECT_EQ(api.querySizes, (std::vector<uint32_t>{8192, 12288, 16384, 20480}));
    EXPECT_EQ(sampler.bufferSize(), 20480u);
    sampleWith({{0, 0}, 1});
    EXPECT_EQ(api.querySizes.back(), 20480u);
    EXPECT_EQ(api.querySizes.size(), 5u);
    EXPECT_EQ(sampler.bufferSize(), 20480u);
}

TEST_F(NtSampler, MoreDataThreeTimesEvenForASmallBlock) {
    api.extraMoreData = 3;
    sampleWith({{0, 0}, 0});
    EXPECT_EQ(api.querySizes, (std::vector<uint32_t>{8192, 12288, 16384, 20480}));
    EXPECT_EQ(sampler.bufferSize(), 20480u);
}

TEST_F(NtSampler, InstanceCountFixedByTheFirstSample) {
    sampleWith({{0, 0}, 0});
    sampleWith({{kSecond / 2, kSecond / 4, 0}, 1});
    EXPECT_EQ(sampler.instanceCount(), 2);
    EXPECT_DOUBLE_EQ(sampler.load(1), 0.75);
    EXPECT_EQ(errorOf([&] { sampler.load(2); }), kNoCounter);
    EXPECT_EQ(errorOf([&] { sampler.load(-1); }), kNoCounter);
}

TEST_F(NtSampler, MissingObjectOrCounterGiveTheirTexts) {
    BlockSpec noObject{{0, 0}};
    noObject.processorTitle = 230;
    EXPECT_EQ(errorOf([&] { sampleWith(noObject); }), kNoObject);
    BlockSpec noCounter{{0, 0}};
    noCounter.counterTitle = 142;
    EXPECT_EQ(errorOf([&] { sampleWith(noCounter); }), kNoCounter);
    api.queryFails = true;
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), kNoObject);
    EXPECT_EQ(sampler.instanceCount(), -1);
    EXPECT_FALSE(sampler.usingSystemTimes());
}

TEST_F(NtSampler, AFailedSampleLeavesTheLastGoodOne) {
    sampleWith({{0, 0}, 0});
    BlockSpec broken{{kSecond, kSecond}, 1};
    broken.counterTitle = 7;
    EXPECT_NE(errorOf([&] { sampleWith(broken); }), "");
    sampleWith({{kSecond / 2, kSecond / 2}, 2});
    EXPECT_DOUBLE_EQ(sampler.load(0), 0.75);
}

TEST_F(NtSampler, InvalidTimeStampLeavesTheClockStanding) {
    sampleWith({{0, 0}, 0});
    Block b = build({{kSecond / 2, kSecond / 2}, 1});
    b.put16(perf::kBlockSystemTime + 2, 13);  // month 13
    api.data = b.bytes;
    sampler.sample();
    EXPECT_EQ(sampler.load(0), 0.0);
}

TEST(SourcesPerfTime, CalendarToFileTime) {
    int64_t ft = -1;
    const uint16_t origin[8] = {1601, 1, 1, 1, 0, 0, 0, 0};
    ASSERT_TRUE(systemTimeToFileTime(origin, ft));
    EXPECT_EQ(ft, 0);
    const uint16_t epoch[8] = {1970, 1, 4, 1, 0, 0, 0, 1};
    ASSERT_TRUE(systemTimeToFileTime(epoch, ft));
    EXPECT_EQ(ft, 116444736000000000LL + 10000);
    const uint16_t leap[8] = {2024, 2, 4, 29, 23, 59, 59, 999};
    EXPECT_TRUE(systemTimeToFileTime(leap, ft));
    const uint16_t notLeap[8] = {1900, 2, 3, 29, 0, 0, 0, 0};
    EXPECT_FALSE(systemTimeToFileTime(notLeap, ft));
    const uint16_t badHour[8] = {2026, 12, 1, 7, 24, 0, 0, 0};
    EXPECT_FALSE(systemTimeToFileTime(badHour, ft));
}

}  // namespace
}  // namespace tabrix
