// The sensor pairs' sources on the refresh tick: whole copies of HWiNFO's block, a stopped
// source let go, precedence and how often a missing source is looked for, the web server asked
// away from the tick, and the Settings window's line naming the source.
#include <cstring>
#include <functional>

#include "../hwinfo_block.h"
#include "refresh_fixture.h"
#include "sources/HwinfoRegistry.h"
#include "sources/interfacewithhwinfo.h"
#include "window_fixture.h"

namespace tabrix::test {
namespace {

using namespace hwinfo_block;

constexpr std::size_t kPollTimeAt = 12, kRevisionAt = 8, kCountAt = 40, kPeriodAt = 44;

// HWiNFO's values for widgets: one temperature.
FakeRegistry::Values registryTemperature(const char* label, const char* raw) {
    return {{"Sensor0", "S"}, {"Label0", label}, {"Value0", std::string(raw) + " \260C"}, {"ValueRaw0", raw}};
}

const char kTree[] =
    R"({"Text":"PC","Value":"","Children":[{"Text":"CPU","Value":"61.5 °C","Children":[]}]})";

class SensorsTest : public RefreshTest {
protected:
    std::string& hwinfo() { return fake.sharedMemory.blocks[kHwinfoBlockName]; }
    // HWiNFO's five readings (temperatures of 55, 48 and 33), polled at `poll`.
    void publish(uint64_t poll = 1, uint32_t periodMs = 2000) {
        hwinfo() = hwinfo_block::build(fiveReadings());
        poll64(poll);
        put32(hwinfo(), kPeriodAt, periodMs);
    }
    void poll64(uint64_t poll) { std::memcpy(&hwinfo()[kPollTimeAt], &poll, 8); }
    void setValue(std::size_t reading, double value) {
        std::memcpy(&hwinfo()[kHeaderSize + kSensorSize + kReadingSize * reading + kValueAt], &value, 8);
    }
    // The three value labels, "-" for a hidden pair.
    std::string pairs() const {
        std::string all;
        for (int n : {26, 28, 30})
            all += (form->look().label(n).visible ? form->look().label(n).text : "-") + "|";
        return all;
    }
    SensorSource source() const { return form->sensorSource(); }
};

TEST_F(SensorsTest, OnlyWholeCopiesOfHwinfosBlockAreReadAndACountOfZeroKeepsTheLastReadings) {
    publish();
    build({});
    tick();
    EXPECT_EQ("55 *C|48 *C|33 *C|", pairs());
    EXPECT_EQ(SensorSource::HwinfoMemory, source());

    // The publisher refills while every copy of the first tries is taken: its poll time moves
    // between the header read before and the one after. A fourth try is never made.
    setValue(1, 70);
    uint64_t poll = 1;
    for (int tornTries : {3, 2}) {
        int changes = 3 * tornTries;  // three copies a try: header, block, header
        fake.sharedMemory.onCopy = [&](const std::string&, std::string&) {
            if (changes-- > 0) poll64(++poll);
        };
        tick();
        EXPECT_EQ(tornTries == 3 ? "55 *C|48 *C|33 *C|" : "70 *C|48 *C|33 *C|", pairs()) << tornTries;
        EXPECT_EQ(SensorSource::HwinfoMemory, source());
    }
    fake.sharedMemory.onCopy = nullptr;

    // No readings while it refills: the pairs keep theirs, shown.
    put32(hwinfo(), kCountAt, 0);
    poll64(++poll);
    tick();
    EXPECT_EQ("70 *C|48 *C|33 *C|", pairs());
    put32(hwinfo(), kCountAt, 5);
    setValue(1, 56);
    tick();
    EXPECT_EQ("56 *C|48 *C|33 *C|", pairs());
}

TEST_F(SensorsTest, ABlockWhosePollTimeStandsStillIsLetGoForTheNextSource) {
    // The polling period, whether the header has one, and the seconds after which the block
    // counts as stopped.
    const struct {
        uint32_t periodMs;
        uint32_t revision;
        int stoppedAfter;
    } cases[] = {{2000, 1, 10}, {500, 1, 5}, {2000, 0, 5}, {0xFFFFFFFF, 1, 300}};
    for (const auto& c : cases) {
        publish(7, c.periodMs);
        put32(hwinfo(), kRevisionAt, c.revision);
        fake.registry.keys[kHwinfoRegistryKey] = registryTemperature("Case", "30");
        build({});
        tick(c.stoppedAfter);
        EXPECT_EQ(SensorSource::HwinfoMemory, source()) << c.periodMs;
        tick();
        EXPECT_EQ(SensorSource::HwinfoRegistry, source()) << c.periodMs;
        EXPECT_EQ("30 *C|-|-|", pairs()) << c.periodMs;
    }

    // With nothing after it the pairs keep what they show, and the block found again at
    // the same poll time is still stopped; a poll brings it back at the next look.
    publish(7);
    fake.registry.keys.clear();
    build({});
    tick(11);
    EXPECT_EQ(SensorSource::None, source());
    setValue(1, 99);
    tick(10);
    EXPECT_EQ("55 *C|48 *C|33 *C|", pairs());
    poll64(8);
    tick(5);
    EXPECT_EQ(SensorSource::HwinfoMemory, source());
    EXPECT_EQ("99 *C|48 *C|33 *C|", pairs());
}

TEST_F(SensorsTest, ABlockWithoutAWholeValidCopyStaysStoppedUntilOneWithReadingsComes) {
    // No readings while the poll time moves on; an element size too small for its fields.
    const std::function<void()> damages[] = {[&] { put32(hwinfo(), kCountAt, 0); },
                                             [&] { put32(hwinfo(), kReadingsAt + 4, kReadingSize - 1); }};
    for (const auto& damage : damages) {
        publish(1);
        damage();
        build({});
        tick(5);
        EXPECT_EQ(SensorSource::HwinfoMemory, source());
        // The next source runs from the stop on, at every look too, its readings moving.
        for (int t = 30; t < 60; ++t) {
            poll64(t);
            fake.registry.keys[kHwinfoRegistryKey] = registryTemperature("Case", std::to_string(t).c_str());
            tick();
            ASSERT_EQ(std::to_string(t) + " *C|-|-|", pairs()) << t;
        }
        publish(60);
        tick(5);
        EXPECT_EQ("55 *C|48 *C|33 *C|", pairs());
    }
}

TEST_F(SensorsTest, AMissingSourceIsLookedForEveryFiveSecondsAndPrecedenceHolds) {
    build({}, {"[Sensors]", "lhmport=8085"});
    auto looks = [&] { return fake.sharedMemory.reads; };
    for (int t = 1; t <= 20; ++t) {
        tick();
        fake.sensorLookup.answer("Failed");
        const int expected = (t - 1) / 5 + 1;  // at the first tick, then every fifth
        ASSERT_EQ(expected, looks()) << t;
        ASSERT_EQ(expected, fake.sharedMemory.opens[kHwinfoBlockName]) << t;
        ASSERT_EQ(expected, fake.registry.opens) << t;
        ASSERT_EQ(expected, static_cast<int>(fake.sensorLookup.fetches.size())) << t;
    }
    EXPECT_EQ(SensorSource::None, source());

    // A later source runs; an earlier one that starts takes over at the next look and is read
    // every tick; when it goes, the next one answers in the same tick.
    publish();
    tick();  // the 21st: a look
    EXPECT_EQ(SensorSource::HwinfoMemory, source());
    fake.sharedMemory.blocks[kSensorBlockName] = sensorBlock({{"Case", 21}}, 1);
    tick(4);
    EXPECT_EQ(SensorSource::HwinfoMemory, source());
    tick();
    EXPECT_EQ(SensorSource::Mbm, source());
    EXPECT_EQ("21 *C|48 *C|33 *C|", pairs());
    const int reads = looks();
    tick(3);
    EXPECT_EQ(reads + 3, looks());
    fake.sharedMemory.blocks.erase(kSensorBlockName);
    poll64(2);
    tick();
    EXPECT_EQ(SensorSource::HwinfoMemory, source());
    EXPECT_EQ("55 *C|48 *C|33 *C|", pairs());
}

TEST_F(SensorsTest, TheWebServerIsAskedAwayFromTheTickOneRequestAtATimeAndRestsAfterARefusal) {
    build({}, {"[Sensors]", "lhmport=8085"});
    tick();
    ASSERT_EQ(1, fake.sensorLookup.waiting());
    EXPECT_EQ("http://127.0.0.1:8085/data.json", fake.sensorLookup.fetches[0].url);
    EXPECT_EQ("-|-|-|", pairs());  // the tick did not wait
    fake.sensorLookup.answer(kTree);
    tick();
    EXPECT_EQ(SensorSource::Lhm, source());
    EXPECT_EQ("61.5 *C|-|-|", pairs());
    tick();  // the next answer has not come: still live, and no second request
    EXPECT_EQ(SensorSource::Lhm, source());
    EXPECT_EQ(1, fake.sensorLookup.waiting());
    EXPECT_EQ(2u, fake.sensorLookup.fetches.size());

    // While it answers it is asked every 2 seconds, and a new reading shows as the answer comes.
    std::string warmer = kTree;
    warmer.replace(warmer.find("61.5"), 4, "62.5");
    fake.sensorLookup.answer(warmer);
    EXPECT_EQ("62.5 *C|-|-|", pairs());
    for (int t = 1; t <= 6; ++t) {
        tick();
        ASSERT_EQ(2u + t / 2, fake.sensorLookup.fetches.size()) << t;
        if (fake.sensorLookup.waiting()) fake.sensorLookup.answer(kTree);
    }
    EXPECT_EQ("61.5 *C|-|-|", pairs());
    tick(2);

    // Refused: the last readings count until 5 s after the answer that brought them, then
    // nothing answers any more, and the server is left alone for 30 seconds.
    const std::size_t asked = fake.sensorLookup.fetches.size();
    fake.sensorLookup.answer("Refused");
    const uint32_t refusedAt = fake.clock.time;
    tick(2);
    EXPECT_EQ(SensorSource::Lhm, source());
    tick();
    EXPECT_EQ(SensorSource::None, source());
    EXPECT_EQ("61.5 *C|-|-|", pairs());
    while (fake.sensorLookup.fetches.size() == asked && fake.clock.time - refusedAt < 40000) tick();
    const uint32_t askedAgain = fake.clock.time - refusedAt;
    EXPECT_GE(askedAgain, 30000u);
    EXPECT_LT(askedAgain, 35000u);

    // An answer for a window since rebuilt goes nowhere; without a port nothing is asked.
    build({}, {"[Sensors]", "lhmport=8085"});
    fake.sensorLookup.answer(kTree);
    tick();
    EXPECT_EQ(SensorSource::None, source());
    for (const char* port : {"lhmport=", "lhmport=0", "lhmport=65536", "lhmport=http"}) {
        build({}, {"[Sensors]", port});
        const std::size_t before = fake.sensorLookup.fetches.size();
        tick(6);
        EXPECT_EQ(before, fake.sensorLookup.fetches.size()) << port;
    }
}

using SensorLineTest = WindowTest;

TEST_F(SensorLineTest, SettingsNamesTheSourceThePairsComeFrom) {
    start();
    const Label& line = app->settings()->control<Label>("Label32");
    EXPECT_EQ("", line.text);  // nothing looked for yet
    fake.files.put(kConfigPath, "[general]\r\nskin=Default\r\n[Sensors]\r\nlhmport=8085\r\n");
    app->rebuildMainWindow();
    const struct {
        std::function<void()> change;
        const char* text;
    } steps[] = {
        {[] {}, "no sensor program found"},
        {[&] { fake.sensorLookup.answer(kTree); }, "LibreHardwareMonitor"},
        {[&] { fake.registry.keys[kHwinfoRegistryKey] = registryTemperature("Case", "30"); },
         "HWiNFO (registry)"},
        {[&] { fake.sharedMemory.blocks[kHwinfoBlockName] = hwinfo_block::build(fiveReadings()); },
         "HWiNFO (shared memory)"},
        {[&] {
             fake.sharedMemory.blocks[kSensorBlockName] = sensorBlock({{"Case", 21}}, 1);
         },
         "Motherboard Monitor 5"},
    };
    for (const auto& s : steps) {
        clock.time += kSensorLookAgainMs;
        s.change();
        app->mainWindow()->systimerTimer();
        EXPECT_EQ(s.text, line.text);
    }
    fake.files.put(kConfigPath,
                   "[general]\r\nskin=Default\r\n[Sensors]\r\nlhmport=8085\r\n"
                   "[modules]\r\nCheckBox21=False\r\n");
    app->rebuildMainWindow();
    EXPECT_EQ("", line.text);
}

}  // namespace
}  // namespace tabrix::test
