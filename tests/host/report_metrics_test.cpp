// The metrics file as Prometheus's own checker reads it, its facts in base units, and the
// report tick that writes it with traffic counters that only grow.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "platform/fake/Windows1252Codepage.h"
#include "refresh_fixture.h"
#include "report/MetricsFacts.h"

namespace tabrix::test {
namespace {

// promtool's verdict on the text: its exit status 0 and nothing said, or what it said.
std::string promtoolProblems(const std::string& text) {
    const std::string path = "/tmp/tabrix-metrics-" + std::to_string(getpid()) + ".prom";
    std::ofstream(path, std::ios::binary) << text;
    FILE* pipe = popen(("promtool check metrics < " + path + " 2>&1").c_str(), "r");
    std::string said;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) said.append(buffer, n);
    const int status = pclose(pipe);
    std::remove(path.c_str());
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && said.empty()
               ? ""
               : said + "(status " + std::to_string(status) + ")";
}

ReportLabels fullLabels() {
    ReportLabels l;
    l.version = "0.50";
    l.text[Fact::CpuName] = "Intel(R) Pentium(R) 4 CPU 2.80GHz";
    l.text[Fact::Windows] = "XP SP3";
    l.caption[Fact::Sensor1] = "CPU:";
    l.caption[Fact::Sensor2] = "a\"b\\c\nd:";
    l.caption[Fact::Sensor3] = "Clock:";
    return l;
}

MetricsTick fullTick() {
    MetricsTick t;
    LabelFigures& f = t.figures;
    f.cpuLoad = 0.37;
    f.memory = MemoryStatus{43, 536870912, 327155712, 1073741824, 861929472, 2147352576, 2100000000};
    f.uptimeMs = 90061500;
    f.drives = std::vector<DriveSpace>{{3, 20000000000, 40000000000}, {4, 0, 0}};
    f.power = PowerStatus{0, 1, 57, 5400, 0xFFFFFFFFu};
    f.sensors[0] = {true, 45.5, "*C"};
    f.sensors[1] = {true, 113, "*F"};
    f.sensors[2] = {true, 3600, "MHz"};
    f.sensorProgram = "HWiNFO";
    f.song = "Bj\xF6rk - J\xF3ga";
    t.receivedTotal = 5000000000;  // past 2^32
    t.sentTotal = 123;
    return t;
}

}  // namespace

TEST(MetricsReport, AFullAndAnEmptyMachineInBaseUnitsAsPromtoolReadsThem) {
    Windows1252Codepage codepage;
    const std::string full = metricsText(metricsSnapshot(fullLabels(), fullTick(), codepage));
    for (const char* line : {
             "# TYPE tabrix_cpu_load_ratio gauge\ntabrix_cpu_load_ratio 0.37\n",
             "tabrix_memory_physical_available_bytes 327155712\n",
             "tabrix_memory_page_file_total_bytes 1073741824\n",
             "tabrix_memory_virtual_total_bytes 2147352576\n",
             "tabrix_uptime_seconds 90061.5\n",
             "tabrix_drive_free_bytes{drive=\"C:\"} 20000000000\ntabrix_drive_free_bytes{drive=\"D:\"} 0\n",
             "tabrix_battery_charge_ratio 0.57\n# HELP tabrix_power_ac_line",
             "tabrix_power_ac_line 0\n",
             "tabrix_sensor_celsius{sensor=\"CPU\",source=\"HWiNFO\"} 45.5\n"
             "tabrix_sensor_celsius{sensor=\"a\\\"b\\\\c\\nd\",source=\"HWiNFO\"} 45\n",
             "tabrix_sensor_hertz{sensor=\"Clock\",source=\"HWiNFO\"} 3600000000\n",
             "# TYPE tabrix_network_received_bytes_total counter\n",
             "tabrix_network_received_bytes_total 5000000000\n",
             "tabrix_player_running 1\n",
             "tabrix_player_info{song=\"Bj\xC3\xB6rk - J\xC3\xB3ga\"} 1\n",
             "tabrix_info{version=\"0.50\",processor=\"Intel(R) Pentium(R) 4 CPU 2.80GHz\",windows=\"XP "
             "SP3\"} 1\n",
         })
        EXPECT_NE(full.find(line), std::string::npos) << line << "\nin\n" << full;

    // Two pairs under one name and unit are one label set: the first stays. A unit without a
    // base unit stays out.
    MetricsTick twice = fullTick();
    twice.figures.sensors[1] = {true, 50, "*C"};
    twice.figures.sensors[2] = {true, 7, "x"};
    ReportLabels sameName = fullLabels();
    sameName.caption[Fact::Sensor2] = "CPU:";
    const std::string once = metricsText(metricsSnapshot(sameName, twice, codepage));
    EXPECT_EQ(once.find("sensor=\"CPU\",source=\"HWiNFO\"} 50"), std::string::npos) << once;
    EXPECT_EQ(once.find("tabrix_sensor_hertz"), std::string::npos) << once;

    // Every module off: only what is always known, whatever the figures say.
    MetricsTick off = fullTick();
    off.facts.on.values.fill(false);
    const std::string bare = metricsText(metricsSnapshot(fullLabels(), off, codepage));
    EXPECT_EQ(bare,
              "# HELP tabrix_info Tabrix's version, the processor and the running Windows, as labels; "
              "always 1.\n# TYPE tabrix_info gauge\ntabrix_info{version=\"0.50\"} 1\n");
    // Nothing measured yet, a system without a battery, no sensor program answering.
    MetricsTick none;
    none.figures.power = PowerStatus{1, 128, 255, 0xFFFFFFFFu, 0xFFFFFFFFu};
    none.figures.sensors[0] = {true, 45.5, "*C"};
    const std::string empty = metricsText(metricsSnapshot(fullLabels(), none, codepage));
    EXPECT_TRUE(empty.find("tabrix_battery") == std::string::npos &&
                empty.find("tabrix_sensor") == std::string::npos)
        << empty;

    if (std::system("command -v promtool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "promtool is not installed (Debian package prometheus): the texts were not checked";
    for (const std::string* text : {&full, &once, &bare, &empty})
        EXPECT_EQ("", promtoolProblems(*text)) << *text;
}

TEST_F(RefreshTest, TheReportTickWritesTheMetricsWithTrafficThatOnlyGrowsAcrossTheWrap) {
    build({"output=1", "outputinterval=1000", "enablemetrics=1", "savepath=C:\\web\\stats"});
    fake.network.rows = {{100000000, 0xFFFFFF00u, 7, "eth", 6, 5}};
    for (uint32_t octets : {0xFFFFFF00u, 0x100u, 0x300u}) {  // the second is 512 bytes on, past 2^32
        fake.network.rows[0].inOctets = octets;
        form->tmrTrafficTimer();
    }
    form->FileTimer1Timer();
    const std::string prom = fake.files.content("C:\\web\\stats.prom");
    EXPECT_NE(prom.find("\ntabrix_network_received_bytes_total 1024\n"), std::string::npos) << prom;
    EXPECT_NE(prom.find("\ntabrix_network_sent_bytes_total 0\n"), std::string::npos) << prom;
}

}  // namespace tabrix::test
