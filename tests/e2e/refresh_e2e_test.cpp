// The real Tabrix.exe refreshing its facts every second, seen through its XML report.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "../win32/test_helpers.h"
#include "e2e_support.h"

using namespace e2e;
using tabrix::test::hostModelName;
using tabrix::test::trimmed;

namespace {

bool matches(const std::string& text, const char* pattern) {
    return std::regex_match(text, std::regex(pattern));
}

}  // namespace

TEST(Refresh, TheReportCarriesTheRefreshedFactsOfThisMachine) {
    ProgramFolder folder(nullptr);
    folder.write("config.ini",
                 "[general]\r\nskin=Default\r\noutput=1\r\noutputinterval=300\r\nenablexml=1\r\n"
                 "savepath=" +
                     folder.path("stats") + "\r\n");
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    // The first report may come before the first tick; wait for a refreshed one, then for
    // one more tick, so that the usage covers an interval.
    const std::string report = folder.path("stats.xml");
    waitFor(
        [&] {
            const std::string uptime = element(readFile(report), "windows", "uptime");
            return !uptime.empty() && uptime != "X";
        },
        6000);
    pause(1500);
    const std::string xml = readFile(report);
    EXPECT_TRUE(app.close());

    const std::string host = hostModelName();
    ASSERT_FALSE(host.empty()) << "no Z:\\proc\\cpuinfo";
    EXPECT_EQ(host, trimmed(element(xml, "processor", "name")));
    EXPECT_EQ("XP Service Pack 3", element(xml, "windows", "name"));
    const std::string usage = element(xml, "processor", "usage");  // Label4's first three
    EXPECT_TRUE(matches(usage, "-?[0-9]+ ?%?")) << usage;
    const std::string uptime = element(xml, "windows", "uptime");
    EXPECT_TRUE(matches(uptime, "[0-9]+ days [0-9]{1,2} hrs [0-9]{1,2} min ")) << uptime;
    const std::string memory = element(xml, "memory", "memory_used");
    EXPECT_TRUE(matches(memory, "[0-9]+ / [1-9][0-9]* Mb")) << memory;
    const std::string page = element(xml, "memory", "virtual_memory");
    EXPECT_TRUE(matches(page, "[0-9]+ / [1-9][0-9]* Mb")) << page;
    std::printf("usage \"%s\", uptime \"%s\", memory \"%s\", page file \"%s\"\n", usage.c_str(),
                uptime.c_str(), memory.c_str(), page.c_str());
}
