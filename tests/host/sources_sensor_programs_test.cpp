// The later sensor programs' readings: HWiNFO's shared block on blocks built here (what is
// read, what is refused), its registry values through the fake registry, LibreHardwareMonitor's
// tree and its fetch over a scripted connection; how a reading reads and which three the pairs
// show.
#include <gtest/gtest.h>

#include "../hwinfo_block.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/Windows1252Codepage.h"
#include "scripted_http.h"
#include "sources/HwinfoRegistry.h"
#include "sources/LhmWebServer.h"
#include "sources/interfacewithhwinfo.h"

namespace tabrix {
namespace {

using namespace hwinfo_block;

const std::string kNoChoice[3] = {"", "", ""};
Windows1252Codepage cp1252;

// The three pairs, "-" for a hidden one.
std::string values(const SensorBlock& b) {
    std::string all;
    for (const SensorReading& r : b.readings) all += (r.shown ? r.name + r.value : "-") + "|";
    return all;
}

// A code page of two bytes for each character outside ASCII, as 932 is: the degree sign is
// 81 8B, and U+6E29 89 B7 (enough for the texts below).
struct TwoByteCodepage : Codepage {
    static std::string swapped(std::string t, const std::string& from, const std::string& to) {
        for (std::size_t at = 0; (at = t.find(from, at)) != std::string::npos; at += to.size())
            t.replace(at, from.size(), to);
        return t;
    }
    std::string ansiToUtf8(const std::string& a) override { return swapped(a, "\x81\x8B", "\xC2\xB0"); }
    std::string utf8ToAnsi(const std::string& u) override {
        return swapped(swapped(u, "\xC2\xB0", "\x81\x8B"), "\xE6\xB8\xA9", "\x89\xB7");
    }
    std::size_t prefixBytes(const std::string& ansi, std::size_t characters) override {
        std::size_t at = 0;
        for (; characters > 0 && at < ansi.size(); --characters) at += ansi[at] & 0x80 ? 2 : 1;
        return at;
    }
};

std::string pairsOf(const std::vector<SensorValue>& readings, const std::string (&wanted)[3] = kNoChoice) {
    return values(readingPairs(readings, wanted, "*C", '.', &cp1252));
}

TEST(SensorReadings, EachKindReadsWithItsDecimalsWithoutTrailingZerosInTheUsersSeparator) {
    const struct {
        uint32_t kind;
        const char* unit;
        double value;
        const char* tempLabel;
        char separator;
        const char* text;
    } cases[] = {
        {kReadingTemperature, "\260C", 51.2344665527344, "*C", '.', "51.2 *C"},
        {kReadingTemperature, "\302\260F", 118.472, "*C", ',', "48 *C"},
        {kReadingTemperature, "\260C", 53.06, "*C", ',', "53,1 *C"},
        {kReadingTemperature, "\260F", 113, "*C", '.', "45 *C"},
        {kReadingTemperature, "\260C", 48, "*F", '.', "118.4 *F"},
        {kReadingFan, "RPM", 1200.04, "*C", '.', "1200 RPM"},
        {kReadingUsage, "%", 12.36, "*C", '.', "12.4 %"},
        {kReadingPower, "W", 65.0, "*C", '.', "65 W"},
        {kReadingClock, "MHz", 3600.26, "*C", ',', "3600,3 MHz"},
        {kReadingVoltage, "V", 1.20849, "*C", '.', "1.208 V"},
        {kReadingVoltage, "V", 12.0, "*C", ',', "12 V"},
        {kReadingCurrent, "A", 0.25049, "*C", '.', "0.25 A"},
        {kReadingOther, "MB", 2.3456, "*C", '.', "2.35 MB"},
    };
    for (const auto& c : cases) {
        const SensorValue v{c.kind, "Label", c.unit, c.value};
        EXPECT_EQ(c.text, readingTexts(v, c.tempLabel, c.separator).value) << c.text;
    }
}

TEST(SensorReadings, NumbersAndUnitsAsTheProgramsWriteThem) {
    const struct {
        std::string text;
        bool number;
        double value;
    } numbers[] = {{"51.2344665527344", true, 51.2344665527344},
                   {" 1,208 ", true, 1.208},
                   {"-3.5", true, -3.5},
                   {"", false, 0},
                   {"1.2.3", false, 0},
                   {"1e5", false, 0},
                   {"45 \260C", false, 0},
                   {std::string(400, '9'), false, 0}};  // past a double
    double v = 0;
    for (const auto& n : numbers) {
        EXPECT_EQ(n.number, readNumber(n.text, v)) << n.text;
        if (n.number) {
            EXPECT_DOUBLE_EQ(n.value, v) << n.text;
        }
    }

    std::string unit;
    EXPECT_TRUE(splitValueText("45,5 \302\260C", v, unit));
    EXPECT_EQ(45.5, v);
    EXPECT_EQ(kReadingTemperature, kindOfUnit(unit));
    EXPECT_FALSE(splitValueText("Yes", v, unit));
    const struct {
        const char* unit;
        uint32_t kind;
    } units[] = {{"\260F", kReadingTemperature}, {"C", kReadingOther},   {"RPM", kReadingFan},
                 {"GHz", kReadingClock},         {"A", kReadingCurrent}, {"MB", kReadingOther}};
    for (const auto& u : units) EXPECT_EQ(u.kind, kindOfUnit(u.unit)) << u.unit;
}

TEST(SensorTexts, UnitsAfterGroupedNumbersAndNamesInTheSystemsCodePage) {
    TwoByteCodepage cp932;
    const std::string degree932 = "\x81\x8B";
    // Registry display texts: the unit after the whole number, a degree sign in either code page.
    const struct {
        Codepage* codepage;
        std::string valueText;
        const char* raw;
        const char* shown;
    } registry[] = {{&cp1252, "4,788.8 MHz", "4788.8", "4788.8 MHz"},
                    {&cp1252, "1 200 RPM", "1200", "1200 RPM"},
                    {&cp932, "45 " + degree932 + "C", "45", "45 *C"},
                    {&cp932, "113 " + degree932 + "F", "113", "45 *C"}};
    for (const auto& r : registry) {
        SensorValue v;
        ASSERT_TRUE(hwinfoRegistryReading("T", r.valueText, r.raw, *r.codepage, v)) << r.valueText;
        EXPECT_EQ(r.shown, readingTexts(v, "*C", '.', r.codepage).value) << r.valueText;
    }

    // The web server's UTF-8 names in the code page, cut by whole characters and found by name.
    const std::string tree = R"({"Children":[{"Text":"Board","Value":"30 °C"},
        {"Text":"Température CPU","Value":"61.5 °C"},{"Text":"A温温温温温温温温温温温温","Value":"1.5 V"}]})";
    const std::string wanted[3] = {"temp\xE9rature cpu"};
    EXPECT_EQ("Temp\xE9rature :61.5 *C|Board:30 *C|-|", pairsOf(parseLhmJson(tree, cp1252), wanted));
    const std::vector<SensorValue> r = parseLhmJson(tree, cp932);
    ASSERT_EQ(3u, r.size());
    EXPECT_EQ(kReadingTemperature, r[1].type);
    std::string cut = "A";
    for (int i = 0; i < 11; ++i) cut += "\x89\xB7";
    EXPECT_EQ(cut + ":", readingTexts(r[2], "*C", '.', &cp932).name);
}

TEST(HwinfoRegistry, NumberedValuesWithGapsAMissingRawNumberACommaAndALongLabel) {
    const std::string label300(300, 'L');
    FakeRegistry registry;
    registry.keys[kHwinfoRegistryKey] = {
        {"Sensor0", "CPU"},      {"Label0", "CPU Package"}, {"Value0", "51.2 \260C"},
        {"ValueRaw0", "51.234"},  // 1 and 2 are not there
        {"Sensor3", "Board"},    {"Label3", label300},      {"Value3", "1,208 V"},
        {"ValueRaw3", "1,208"},  {"Sensor4", "Fan"},        {"Label4", "CPU Fan"},
        {"Value4", "1200 RPM"},  // no raw number: passed over
        {"Sensor5", "Drive"},    {"Label5", "Drive"},       {"Value5", "104 \260F"},
        {"ValueRaw5", "104"}};
    const std::vector<SensorValue> r =
        readHwinfoRegistry(*registry.openCurrentUser(kHwinfoRegistryKey), cp1252);
    EXPECT_EQ(18, registry.queries);  // every value seen by number 5: no more questions
    ASSERT_EQ(3u, r.size());
    EXPECT_EQ(kReadingVoltage, r[1].type);
    EXPECT_EQ(1.208, r[1].value);
    EXPECT_EQ("CPU Package:51.2 *C|Drive:40 *C|-|", pairsOf(r));
    const std::string named[3] = {"", std::string(300, 'l'), ""};
    EXPECT_EQ("CPU Package:51.2 *C|LLLLLLLLLLLL:1.208 V|Drive:40 *C|", pairsOf(r, named));
    EXPECT_EQ(nullptr, registry.openCurrentUser("Software\\HWiNFO64"));

    // 10,000 values: the first 256 readings, and no more questions than they need.
    FakeRegistry::Values many;
    for (int n = 0; n < 2500; ++n) {
        const std::string i = std::to_string(n);
        many["Sensor" + i] = "S";
        many["Label" + i] = "T" + i;
        many["Value" + i] = "40 \260C";
        many["ValueRaw" + i] = "40";
    }
    registry.keys[kHwinfoRegistryKey] = many;
    registry.queries = 0;
    const std::vector<SensorValue> first =
        readHwinfoRegistry(*registry.openCurrentUser(kHwinfoRegistryKey), cp1252);
    ASSERT_EQ(256u, first.size());
    EXPECT_EQ("T255", first.back().label);
    EXPECT_EQ(4 * 256, registry.queries);
}

// A tree of the server's shape: a computer, its hardware, groups, sensors; a temperature in
// °F, a comma for a decimal point, a number where a text belongs.
const char kTree[] = R"({"id":0,"Text":"Sensor","Min":"Min","Value":"Value","Max":"Max","Children":[
 {"id":1,"Text":"DESKTOP","Min":"","Value":"","Max":"","ImageURL":"images_icon/computer.png","Children":[
  {"id":2,"Text":"Some CPU","Min":"","Value":"","Max":"","Children":[
   {"id":3,"Text":"Clocks","Min":"","Value":"","Max":"","Children":[
    {"id":4,"Text":"CPU Core #1","Min":"800.0 MHz","Value":"3600.3 MHz","Max":"4000.0 MHz",
     "Type":"Clock","SensorId":"/cpu/0/clock/1","Children":[]}]},
   {"id":5,"Text":"Temperatures","Min":"","Value":"","Max":"","Children":[
    {"id":6,"Text":"CPU Package","Min":"30.0 °C","Value":"45.5 °C","Max":"71.0 °C","Children":[]},
    {"id":7,"Text":"CPU Core #1","Min":"30,0 °C","Value":"44,0 °C","Max":"70,0 °C","Children":[]}]}]},
  {"id":8,"Text":"Some GPU","Min":"","Value":"","Max":"","Children":[
   {"id":9,"Text":"GPU Core","Value":"122.0 °F","Children":[]},
   {"id":10,"Text":"GPU Fan","Value":"1200 RPM","Children":{}},
   {"id":11,"Text":12,"Value":"13.0 °C","Children":[]},
   {"id":12,"Text":"Hot Spot","Value":61.5,"Children":[]}]}]}]})";

TEST(LhmWebServer, TheTreesReadingsInTheDocumentsOrder) {
    const std::vector<SensorValue> r = parseLhmJson(kTree, cp1252);
    ASSERT_EQ(5u, r.size());
    EXPECT_EQ("CPU Core #1", r[0].label);
    EXPECT_EQ(kReadingClock, r[0].type);
    EXPECT_EQ("CPU Package:45.5 *C|CPU Core #1:44 *C|GPU Core:50 *C|", pairsOf(r));
    const std::string fan[3] = {"gpu fan", "", ""};
    EXPECT_EQ("GPU Fan:1200 RPM|CPU Package:45.5 *C|CPU Core #1:44 *C|", pairsOf(r, fan));

    const std::string tree = kTree;
    EXPECT_EQ("-|-|-|", pairsOf(parseLhmJson(R"({"Text":"Fan","Value":"900 RPM","Children":[]})", cp1252)));
    for (const std::string& broken : {tree.substr(0, tree.size() / 2), std::string("Failed"), std::string(),
                                      std::string(100000, '[') + std::string(100000, ']')})
        EXPECT_TRUE(parseLhmJson(broken, cp1252).empty()) << broken.substr(0, 40);
}

TEST(LhmWebServer, TheFetchKeepsAtMostOneMegabyteAndTellsARefusal) {
    ScriptedHttp http;
    http.reads = {"{\"Text\":", "\"x\"}"};
    EXPECT_EQ("{\"Text\":\"x\"}", FetchLhmJson(http, lhmUrl(8085)));
    EXPECT_EQ((std::vector<std::string>{"open Tabrix", "url 1 http://127.0.0.1:8085/data.json", "close 2",
                                        "close 1"}),
              http.calls);

    ScriptedHttp exact, twoMegabytes;
    for (int i = 0; i < 64; ++i) exact.reads.push_back(std::string(16384, ' '));
    EXPECT_EQ(kLhmBodyLimit, FetchLhmJson(exact, "u").size());
    for (int i = 0; i < 128; ++i) twoMegabytes.reads.push_back(std::string(16384, ' '));
    EXPECT_EQ("Failed", FetchLhmJson(twoMegabytes, "u"));

    ScriptedHttp refused, silent;
    refused.urlWorks = false;
    refused.refusedUrl = true;
    EXPECT_EQ("Refused", FetchLhmJson(refused, "u"));
    EXPECT_EQ("close 1", refused.calls.back());
    silent.reads = {"{"};
    silent.endWith = HttpApi::Read::TimedOut;
    EXPECT_EQ("Failed", FetchLhmJson(silent, "u"));

    // Only a whole answer with status 200 is the tree: a redirect is not followed.
    for (int status : {302, 500, 0}) {
        ScriptedHttp other;
        other.statuses = {status};
        other.locations = {"http://127.0.0.1:8086/data.json"};
        other.reads = {"{\"Text\":\"x\"}"};
        EXPECT_EQ("Failed", FetchLhmJson(other, "u")) << status;
        EXPECT_EQ((std::vector<std::string>{"open Tabrix", "url 1 u", "close 2", "close 1"}), other.calls);
    }
    ScriptedHttp cut;
    cut.reads = {"{\"Text\":\"x\"}"};
    cut.endWith = HttpApi::Read::Failed;
    EXPECT_EQ("Failed", FetchLhmJson(cut, "u"));
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

TEST(HwinfoBlock, TheHeaderTellsWhereTheLaterSectionEnds) {
    std::string readingsFirst(564, '\0');  // readings at 48, the sensors after them at 364
    std::memcpy(&readingsFirst[0], "HWiS", 4);
    for (auto [at, v] :
         {std::pair<std::size_t, uint32_t>{20, 364}, {24, 200}, {28, 1}, {32, 48}, {36, 316}, {40, 1}})
        put32(readingsFirst, at, v);
    const std::string five = build(fiveReadings());
    const std::pair<const std::string*, uint64_t> cases[] = {{&readingsFirst, 564}, {&five, five.size()}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, readHwinfoHeader(c.first->substr(0, kHwinfoHeaderBytes)).usedBytes);
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
    // Fahrenheit in the block, and one label twice.
    const std::string f = build({{kTemperature, "CPU", kFahrenheit, 113},
                                 {kVoltage, "12V", "V", 12.006},
                                 {kTemperature, "CPU", kCelsius, 50}});
    const std::string none = build({{kFan, "A very long fan name", "RPM", 700.5}});  // no temperature
    const struct {
        const std::string* block;
        std::string wanted[3];
        const char* tempLabel;
        char separator;
        const char* pairs;
    } cases[] = {
        {&five, {}, "*C", '.', "CPU:55 *C|Motherboard:48 *C|Drive:33 *C|"},
        {&five, {"cpu FAN"}, "*C", '.', "CPU Fan:1200 RPM|CPU:55 *C|Motherboard:48 *C|"},
        // A temperature named for the third pair is not taken again; an unknown label falls back.
        {&five, {"nothing", "vcore", "CPU"}, "*C", ',', "Motherboard:48 *C|Vcore:1,234 V|CPU:55 *C|"},
        {&five, {}, "*F", ',', "CPU:131 *F|Motherboard:118,4 *F|Drive:91,4 *F|"},
        // Fewer readings than pairs; of two with one label, the first.
        {&f, {}, "*C", '.', "CPU:45 *C|CPU:50 *C|-|"},
        {&f, {"cpu", "12v"}, "*C", '.', "CPU:45 *C|12V:12.006 V|CPU:50 *C|"},
        {&none, {}, "*C", '.', "-|-|-|"},
        {&none, {"a very long fan name"}, "*C", '.', "A very long :700.5 RPM|-|-|"},
    };
    for (const auto& c : cases) {
        const HwinfoBlock block = parseHwinfoBlock(*c.block);
        ASSERT_TRUE(block.valid);
        EXPECT_EQ(c.pairs, values(readingPairs(block.readings, c.wanted, c.tempLabel, c.separator)))
            << c.pairs;
    }
}

}  // namespace
}  // namespace tabrix
