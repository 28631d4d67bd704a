#include <gtest/gtest.h>

#include <map>

#include "../test_support.h"
#include "report/ReportLines.h"
#include "sources/WAmpMsg.h"

using namespace tabrix;
using tabrix::test::expectEach;

namespace {

// The labels as a fresh main window has them: "X", and empty for IP and traffic.
ReportLabels designLabels() {
    std::map<int, std::string> texts;
    for (int n = 2; n <= 36; ++n) texts[n] = "X";
    texts[31] = texts[32] = texts[33] = "";
    return readReportLabels([&](int n) { return texts.at(n); }, "0.50");
}

ReportLabels runningLabels() {
    ReportLabels l;
    l.version = "0.50";
    l.text[Fact::CpuName] = "Intel(R) Pentium(R) 4 CPU 2.40GHz";
    l.text[Fact::CpuUsage] = "7 %   ";
    l.text[Fact::CpuClass] = "686+";
    l.text[Fact::Windows] = "XP Service Pack 2";
    l.text[Fact::Memory] = "512 Mb";
    l.text[Fact::PageFile] = "300 Mb / 1200 Mb";
    l.text[Fact::Uptime] = "1 days 2 hours 3 mins 4 secs";
    l.text[Fact::Sensor1] = "45 C";
    l.text[Fact::Sensor2] = "38 C";
    l.text[Fact::Sensor3] = "";
    l.text[Fact::ExternalIp] = "192.0.2.7";
    l.text[Fact::Download] = "D: 1.25 Kb/s";
    l.text[Fact::Upload] = "U: 12.25 Kb/s";
    return l;
}

const SystemNumbers kNumbers{5, 1, 1024, 768, 60};

}  // namespace

TEST(ReportCuts, UsageAndClassKeepThreeCharactersAndStopAtShortTexts) {
    // clang-format off
    expectEach<std::string, std::string>(
        cpuUsageValue, {{"7 %   ", "7 %"}, {"42 %   ", "42 "}, {"100 %   ", "100"}, {"X", "X"}, {"", ""}});
    expectEach<std::string, std::string>(cpuClassValue, {{"686+", "686"}, {"586", "586"}, {"86", "86"}});
    // clang-format on
}

TEST(ReportCuts, TrafficKeepsTheBlankAfterThePrefixAndTenCharactersAtMost) {
    // clang-format off
    expectEach<std::string, std::string>(
        trafficValue, {{"U: 1.25 Kb/s", " 1.25 Kb/s"}, {"D: 12.25 Kb/s", " 12.25 Kb/"}, {"", ""}, {"X", ""},
                       {"D:", ""}, {"D: ", " "}});
    // clang-format on
}

TEST(ReportEscapes, OnlyTheCharactersThatBreakTheFormatChange) {
    EXPECT_EQ(xmlText("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d\"e'f");
    EXPECT_EQ(xmlText("line\n\rnext"), "line\n&#13;next");
    EXPECT_EQ(xmlText("Bj\xF6rk 1.25 Kb/s"), "Bj\xF6rk 1.25 Kb/s");
    EXPECT_EQ(xmlText("a\tb\x01"
                      "c\x08\x0B\x0C\x0E\x1F\x7F"),
              "a\tb&#xFFFD;c&#xFFFD;&#xFFFD;&#xFFFD;&#xFFFD;&#xFFFD;\x7F");
    EXPECT_EQ(phpQuoted("C:\\dir \"q\" $x {$y} ?> <?php 'z'"),
              "C:\\\\dir \\\"q\\\" \\$x {\\$y} ?> <?php 'z'");
    EXPECT_EQ(phpQuoted("plain 42 %"), "plain 42 %");
}

TEST(ReportXml, SeventyTwoLinesInTheirOrderFromARunningMachine) {
    const std::vector<std::string> expected = {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                                               "<Tabrix>",
                                               "<version>",
                                               "0.50",
                                               "</version>",
                                               "<processor>",
                                               "<name>",
                                               "Intel(R) Pentium(R) 4 CPU 2.40GHz",
                                               "</name>",
                                               "<usage>",
                                               "7 %",
                                               "</usage>",
                                               "<class>",
                                               "686",
                                               "</class>",
                                               "</processor>",
                                               "<windows>",
                                               "<name>",
                                               "XP Service Pack 3",
                                               "</name>",
                                               "<version_major>",
                                               "5",
                                               "</version_major>",
                                               "<version_minor>",
                                               "1",
                                               "</version_minor>",
                                               "<uptime>",
                                               "1 days 2 hours 3 mins 4 secs",
                                               "</uptime>",
                                               "</windows>",
                                               "<memory>",
                                               "<memory_used>",
                                               "512 Mb",
                                               "</memory_used>",
                                               "<virtual_memory>",
                                               "300 Mb / 1200 Mb",
                                               "</virtual_memory>",
                                               "</memory>",
                                               "<display>",
                                               "<screen_width>",
                                               "1024",
                                               "</screen_width>",
                                               "<screen_height>",
                                               "768",
                                               "</screen_height>",
                                               "<screen_refresh_hz>",
                                               "60",
                                               "</screen_refresh_hz>",
                                               "</display>",
                                               "<temperature>",
                                               "<temp1>",
                                               "45 C",
                                               "</temp1>",
                                               "<temp2>",
                                               "38 C",
                                               "</temp2>",
                                               "<temp3>",
                                               "",
                                               "</temp3>",
                                               "</temperature>",
                                               "<network>",
                                               "<ext_ip>",
                                               "192.0.2.7",
                                               "</ext_ip>",
                                               "<upstream>",
                                               " 12.25 Kb/",
                                               "</upstream>",
                                               "<downstream>",
                                               " 1.25 Kb/s",
                                               "</downstream>",
                                               "</network>",
                                               "</Tabrix>"};
    // The Windows name is the one asked afresh, not Label8's.
    const auto lines = xmlReportLines(runningLabels(), "XP Service Pack 3", kNumbers);
    ASSERT_EQ(lines.size(), 72u);
    EXPECT_EQ(lines, expected);
}

TEST(ReportXml, DesignLabelsGiveXAndEmptyNetworkLines) {
    const auto lines = xmlReportLines(designLabels(), "2000", SystemNumbers{});
    ASSERT_EQ(lines.size(), 72u);
    EXPECT_EQ(lines[7], "X");   // name
    EXPECT_EQ(lines[10], "X");  // usage
    EXPECT_EQ(lines[13], "X");  // class
    EXPECT_EQ(lines[21], "0");  // version_major
    EXPECT_EQ(lines[51], "X");  // temp1
    EXPECT_EQ(lines[62], "");   // ext_ip
    EXPECT_EQ(lines[65], "");   // upstream
    EXPECT_EQ(lines[68], "");   // downstream
}

TEST(ReportPhp, NineteenLinesDownstreamBeforeUpstreamAndTheWholeTrafficLabels) {
    const std::vector<std::string> expected = {"<?php",
                                               "//Created By Tabrix",
                                               "$processor = \"Intel(R) Pentium(R) 4 CPU 2.40GHz\";",
                                               "$cpuclass = \"686\";",
                                               "$tabrix = \"0.50\";",
                                               "$currentusage = \"7 %\";",
                                               "$winver = \"Windows XP Service Pack 2\";",
                                               "$uptime = \"1 days 2 hours 3 mins 4 secs\";",
                                               "$memused = \"512 Mb\";",
                                               "$virmemused = \"300 Mb / 1200 Mb\";",
                                               "$screen = \"1024 x 768 @ 60 Hz\";",
                                               "$temp1 = \"45 C\";",
                                               "$temp2 = \"38 C\";",
                                               "$temp3 = \"\";",
                                               "$curplaying = \"1. Artist - Title\";",
                                               "$ext_ip = \"192.0.2.7\";",
                                               "$downstream = \"D: 1.25 Kb/s\";",
                                               "$upstream = \"U: 12.25 Kb/s\";",
                                               "?>"};
    EXPECT_EQ(phpReportLines(runningLabels(), kNumbers, "1. Artist - Title"), expected);
}

TEST(ReportPhp, NoPlayerGivesOneBlankAndDesignLabelsGiveXOrEmpty) {
    const auto lines = phpReportLines(designLabels(), kNumbers, "Winamp isn't running");
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[3], "$cpuclass = \"X\";");
    EXPECT_EQ(lines[5], "$currentusage = \"X\";");
    EXPECT_EQ(lines[6], "$winver = \"Windows X\";");
    EXPECT_EQ(lines[14], "$curplaying = \" \";");
    EXPECT_EQ(lines[15], "$ext_ip = \"\";");
    EXPECT_EQ(lines[16], "$downstream = \"\";");
    EXPECT_EQ(lines[17], "$upstream = \"\";");
    // A title that merely contains the answer is a real title.
    EXPECT_EQ(phpReportLines(designLabels(), kNumbers, "Winamp isn't running!")[14],
              "$curplaying = \"Winamp isn't running!\";");
}

TEST(ReportText, EveryLineEndsInCrLfWithNothingBefore) {
    EXPECT_EQ(reportText({"<?php", "", "?>"}), "<?php\r\n\r\n?>\r\n");
    EXPECT_EQ(reportText({}), "");
}
