// HWiNFO's shared sensor block on blocks built here: what is read, what is refused, which
// readings the three pairs show and how they read.
#include <gtest/gtest.h>

#include "../hwinfo_block.h"
#include "sources/interfacewithhwinfo.h"

namespace tabrix {
namespace {

using namespace hwinfo_block;

const std::string kNoChoice[3] = {"", "", ""};

std::string values(const SensorBlock& b) {
    std::string all;
    for (const SensorReading& r : b.readings) all += (r.shown ? r.name + r.value : "-") + "|";
    return all;
}

TEST(HwinfoBlock, ReadsElementsAtTheHeadersStrideWithLabelsCutAtZeroOrFieldEnd) {
    const std::string label128(128, 'L');
    const std::vector<Reading> readings = {{kTemperature, "CPU", kCelsius, 45.5, "Core"},
                                           {kFan, label128, "RPM", 900}};
    for (uint32_t stride : {kReadingSize, 460u, 1000u}) {  // today's layouts, and a longer one
        const HwinfoBlock b = parseHwinfoBlock(build(readings, stride));
        ASSERT_TRUE(b.valid) << stride;
        ASSERT_EQ(2u, b.readings.size());
        EXPECT_EQ("Core", b.readings[0].label);  // the user's label wins
        EXPECT_EQ(45.5, b.readings[0].value);
        EXPECT_EQ(kFan, b.readings[1].type);
        EXPECT_EQ(label128, b.readings[1].label);  // no zero byte: all 128, nothing after
        EXPECT_EQ("RPM", b.readings[1].unit);
    }
    // No readings at all: an empty section takes no room, wherever it says it is.
    std::string none = build({});
    for (std::size_t at : {kReadingsAt, kReadingsAt + 4, kReadingsAt + 8}) put32(none, at, 0);
    EXPECT_TRUE(parseHwinfoBlock(none).valid);
}

TEST(HwinfoBlock, ADamagedOrStoppedBlockGivesNothing) {
    const std::string good = build(fiveReadings());
    auto damaged = [&](std::size_t at, uint32_t v) {
        std::string b = good;
        put32(b, at, v);
        return parseHwinfoBlock(b).valid;
    };
    EXPECT_FALSE(damaged(0, 0x44414544));                // "DEAD": no longer published
    EXPECT_FALSE(damaged(kReadingsAt + 8, 6));           // one element more than there is
    EXPECT_FALSE(damaged(kReadingsAt + 8, 0xFFFFFFFF));  // size x count past 32 bits
    EXPECT_FALSE(damaged(kReadingsAt + 4, 0xFFFFFFFF));
    EXPECT_FALSE(damaged(kReadingsAt, 0xFFFFFFF0));            // offset past the end
    EXPECT_FALSE(damaged(kReadingsAt, 4));                     // inside the header
    EXPECT_FALSE(damaged(kReadingsAt + 4, kReadingSize - 1));  // too short for its value fields
    EXPECT_FALSE(damaged(28, 0x10000000));                     // the sensor section overflows
    EXPECT_FALSE(parseHwinfoBlock(good.substr(0, good.size() - 1)).valid);
    EXPECT_FALSE(parseHwinfoBlock(good.substr(0, 43)).valid);
    EXPECT_TRUE(damaged(kReadingsAt + 8, 0));
    EXPECT_TRUE(damaged(20, 44));  // the sensor section right after a 44-byte header
}

TEST(HwinfoBlock, ThePairsTakeTheChosenReadingsThenTheNextTemperatures) {
    const std::string five = build(fiveReadings());
    EXPECT_EQ("CPU:55 *C|Motherboard:48 *C|Drive:33 *C|",
              values(readHwinfoPairs(five, kNoChoice, "*C", '.')));
    const std::string fan[3] = {"cpu FAN", "", ""};
    EXPECT_EQ("CPU Fan:1200 RPM|CPU:55 *C|Motherboard:48 *C|", values(readHwinfoPairs(five, fan, "*C", '.')));
    // A temperature named for the third pair is not taken again; an unknown label falls back.
    const std::string mixed[3] = {"nothing", "vcore", "CPU"};
    EXPECT_EQ("Motherboard:48 *C|Vcore:1,234 V|CPU:55 *C|", values(readHwinfoPairs(five, mixed, "*C", ',')));
    EXPECT_EQ("CPU:131 *F|Motherboard:118,4 *F|Drive:91,4 *F|",
              values(readHwinfoPairs(five, kNoChoice, "*F", ',')));

    // Fahrenheit in the block; one label twice, the first taken; no temperatures at all; fewer
    // readings than pairs.
    const std::string f = build({{kTemperature, "CPU", kFahrenheit, 113},
                                 {kVoltage, "12V", "V", 12.006},
                                 {kTemperature, "CPU", kCelsius, 50}});
    EXPECT_EQ("CPU:45 *C|CPU:50 *C|-|", values(readHwinfoPairs(f, kNoChoice, "*C", '.')));
    const std::string cpuAndVolts[3] = {"cpu", "12v", ""};
    EXPECT_EQ("CPU:45 *C|12V:12.006 V|CPU:50 *C|", values(readHwinfoPairs(f, cpuAndVolts, "*C", '.')));
    const std::string none = build({{kFan, "A very long fan name", "RPM", 700.5}});
    EXPECT_EQ("-|-|-|", values(readHwinfoPairs(none, kNoChoice, "*C", '.')));
    const std::string longName[3] = {"a very long fan name", "", ""};
    EXPECT_EQ("A very long :700.5 RPM|-|-|", values(readHwinfoPairs(none, longName, "*C", '.')));
    EXPECT_FALSE(readHwinfoPairs(five.substr(0, 100), kNoChoice, "*C", '.').valid);
}

}  // namespace
}  // namespace tabrix
