#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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

struct NtSampler : ::testing::Test {
    FakePerformance api;
    CpuUsageSampler sampler{api, true};

    void sampleWith(const BlockShape& shape) {
        api.data = build(shape).bytes;
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
    BlockShape big{{0, 0}, 0};
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
    BlockShape noObject{{0, 0}};
    noObject.processorTitle = 230;
    EXPECT_EQ(errorOf([&] { sampleWith(noObject); }), kNoObject);
    BlockShape noCounter{{0, 0}};
    noCounter.counterTitle = 142;
    EXPECT_EQ(errorOf([&] { sampleWith(noCounter); }), kNoCounter);
    api.queryFails = true;
    EXPECT_EQ(errorOf([&] { sampler.sample(); }), kNoObject);
    EXPECT_EQ(sampler.instanceCount(), -1);
    EXPECT_FALSE(sampler.usingSystemTimes());
}

TEST_F(NtSampler, AFailedSampleLeavesTheLastGoodOne) {
    sampleWith({{0, 0}, 0});
    BlockShape broken{{kSecond, kSecond}, 1};
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
    // February: the last moment of a leap day, and the turn of a common year's February.
    const uint16_t leap[8] = {2024, 2, 4, 29, 23, 59, 59, 999};
    ASSERT_TRUE(systemTimeToFileTime(leap, ft));
    EXPECT_EQ(ft, 133537247999990000LL);
    const uint16_t lateFebruary[8] = {2023, 2, 2, 28, 12, 0, 0, 0};
    ASSERT_TRUE(systemTimeToFileTime(lateFebruary, ft));
    EXPECT_EQ(ft, 133220592000000000LL);
    const uint16_t firstOfMarch[8] = {2023, 3, 3, 1, 0, 0, 0, 0};
    ASSERT_TRUE(systemTimeToFileTime(firstOfMarch, ft));
    EXPECT_EQ(ft, 133221024000000000LL);
    const uint16_t notLeap[8] = {1900, 2, 3, 29, 0, 0, 0, 0};
    EXPECT_FALSE(systemTimeToFileTime(notLeap, ft));
    const uint16_t badHour[8] = {2026, 12, 1, 7, 24, 0, 0, 0};
    EXPECT_FALSE(systemTimeToFileTime(badHour, ft));
}

}  // namespace
}  // namespace tabrix
