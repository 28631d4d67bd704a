// The JSON report's object, parsed back with the library that wrote it.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>

#include "platform/fake/Windows1252Codepage.h"
#include "report/JsonReport.h"
#include "sources/WAmpMsg.h"

using namespace tabrix;
using nlohmann::json;

namespace {

// The report's labels from label texts by number; a label not given is empty.
ReportLabels labels(std::map<int, std::string> texts) {
    return readReportLabels([&](int n) { return texts[n]; }, "0.50");
}

struct Case {
    const char* what;
    ReportLabels labels;
    LabelFigures figures;
    JsonFacts facts;
    bool whole;  // the expected object lists every field, not only those the case is about
    const char* expected;
};

// clang-format off
const std::map<int, std::string> kFullLabels = {
    {2, "Intel(R) Pentium(R) 4 CPU 2.80GHz"}, {4, "37 %   "}, {6, "686+"}, {8, "XP Service Pack 3"},
    {10, "200 / 512 Mb"}, {12, "43%"}, {16, "202 / 1024 Mb"}, {20, "1 days 1 hrs 1 min "}, {22, "100 Mbps"},
    {25, "CPU:"}, {26, "45.5 *C"}, {27, "CPU Fan:"}, {28, "1200 RPM"}, {29, "Vcore:"}, {30, "1,208 V"},
    {31, "192.0.2.7"}, {32, "D: 1.1 Kb/s"}, {33, "U: 0.35 Kb/s"}, {34, "Running on AC"},
    {36, "\n\rC: 45 % of 37.25 Gb"}};
// clang-format on

}  // namespace

TEST(JsonReport, EveryFactWithItsTextAndTheFiguresOfTheSameTick) {
    LabelFigures full;
    full.cpuLoad = 0.371;
    full.memory = MemoryStatus{43, 511u << 20, 311u << 20, 1023u << 20, 823u << 20};
    full.uptimeMs = 90061999;
    full.receivedBytes = 1126;
    full.sentBytes = 355;  // 0.3467 KiB: 35 hundredths, which times 0.01 is not 0.35
    full.song = "Bj\xF6rk - J\xF3ga";
    full.sensors[0] = {true, 45.5, "*C"};
    full.sensors[1] = {true, 1200, "RPM"};
    full.sensors[2] = {true, 1.208, "V"};
    // A pair's number too large to read back from its text, and a hidden pair's old reading.
    LabelFigures notRunning;
    notRunning.song = kPlayerNotRunning;
    notRunning.sensors[0] = {true, -3,
                             "\xB0"
                             "C"};
    notRunning.sensors[1] = {true, 1.5e17, "RPM"};
    notRunning.sensors[2] = {false, 1.208, "V"};
    JsonFacts mostlyOff;
    for (Fact fact :
         {Fact::CpuName, Fact::CpuClass, Fact::Windows, Fact::MemoryLoad, Fact::PageFile, Fact::Uptime,
          Fact::Connection, Fact::ExternalIp, Fact::Download, Fact::Upload, Fact::Battery, Fact::Drives})
        mostlyOff.on[fact] = false;
    const Case cases[] = {
        {"full", labels(kFullLabels), full, JsonFacts{}, true,
         R"({"version": "0.50", "written": "2026-12-09T00:00:00Z",
          "processor": {"name": "Intel(R) Pentium(R) 4 CPU 2.80GHz", "class": "686+",
                        "load": {"text": "37 %   ", "percent": 37}},
          "windows": "XP Service Pack 3",
          "memory": {"text": "200 / 512 Mb", "used_mb": 200, "total_mb": 512},
          "memory_load": {"text": "43%", "percent": 43},
          "page_file": {"text": "202 / 1024 Mb", "used_mb": 202, "total_mb": 1024},
          "uptime": {"text": "1 days 1 hrs 1 min ", "seconds": 90061},
          "connection": "100 Mbps", "external_ip": "192.0.2.7",
          "download": {"text": "D: 1.1 Kb/s", "kb_per_s": 1.1}, "upload": {"text": "U: 0.35 Kb/s", "kb_per_s": 0.35},
          "sensors": [{"name": "CPU:", "text": "45.5 *C", "value": 45.5, "unit": "*C"},
                      {"name": "CPU Fan:", "text": "1200 RPM", "value": 1200, "unit": "RPM"},
                      {"name": "Vcore:", "text": "1,208 V", "value": 1.208, "unit": "V"}],
          "battery": "Running on AC", "player": {"running": true, "song": "Bj\u00f6rk - J\u00f3ga"},
          "drives": "\n\rC: 45 % of 37.25 Gb"})"},
        {"empty labels, no figures yet, modules off", labels({}), LabelFigures{}, mostlyOff, true,
         R"({"version": "0.50", "written": "2026-12-09T00:00:00Z",
          "processor": {"name": null, "class": null, "load": {"text": "", "percent": null}},
          "windows": null, "memory": {"text": "", "used_mb": null, "total_mb": null}, "memory_load": null,
          "page_file": null, "uptime": null, "connection": null, "external_ip": null, "download": null,
          "upload": null, "sensors": [{"name": "", "text": null, "value": null, "unit": null},
          {"name": "", "text": null, "value": null, "unit": null}, {"name": "", "text": null, "value": null, "unit": null}],
          "battery": null, "player": {"running": null, "song": null}, "drives": null})"},
        {"quotes, backslashes, control characters, code page",
         labels({{2, "Say \"hi\" C:\\cpu\\ \x01\x1F\t\r\n \x7F"},
                 {8, "Vista \x80 \xA0\xFF"},
                 {25, "R\xE9sum\xE9:"},
                 {26,
                  "-3 \xB0"
                  "C"},
                 {27, "Fan:"},
                 {28, "1.5E17 RPM"},
                 {29, "Vcore:"},
                 {30, "1,208 V"},
                 {34, "\x80"}}),
         notRunning, JsonFacts{}, false, R"({
          "processor": {"name": "Say \"hi\" C:\\cpu\\ \u0001\u001f\t\r\n \u007f", "class": "",
                        "load": {"text": "", "percent": null}},
          "windows": "Vista \u20ac \u00a0\u00ff",
          "sensors": [{"name": "R\u00e9sum\u00e9:", "text": "-3 \u00b0C", "value": -3, "unit": "\u00b0C"},
                      {"name": "Fan:", "text": "1.5E17 RPM", "value": 1.5e17, "unit": "RPM"},
                      {"name": "Vcore:", "text": null, "value": null, "unit": null}],
          "battery": "\u20ac", "player": {"running": false, "song": null}})"},
    };
    Windows1252Codepage codepage;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string bytes = jsonReportText(c.labels, {c.figures, c.facts, 1796774400}, codepage);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ('{', bytes.front()) << "nothing before the object, no byte-order mark";
        const json got = json::parse(bytes);  // throws on anything but one whole document
        const json expected = json::parse(c.expected);
        for (const auto& field : expected.items())
            EXPECT_EQ(field.value(), got.at(field.key())) << field.key();
        if (c.whole) {
            EXPECT_EQ(expected.size(), got.size()) << got.dump(1);
        }
    }
}

TEST(JsonReport, WrittenIsUtcInIso8601AcrossLeapDaysAndCenturies) {
    const std::pair<int64_t, const char*> cases[] = {{0, "1970-01-01T00:00:00Z"},
                                                     {-1, "1969-12-31T23:59:59Z"},
                                                     {951868799, "2000-02-29T23:59:59Z"},
                                                     {1709251199, "2024-02-29T23:59:59Z"},
                                                     {4107542399, "2100-02-28T23:59:59Z"}};
    for (const auto& c : cases) EXPECT_EQ(c.second, isoUtcText(c.first)) << c.first;
}
