// The real Tabrix.exe writing its metrics into the folder of the machine's node exporter
// (tests/fixtures/node_exporter_run.py scrapes it over 127.0.0.1), with HWiNFO's stand-in
// giving a sensor a name from outside.
#include "stand_ins.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "../hwinfo_block.h"

using namespace e2e;

namespace {

// The exporter's textfile folder; once it is gone, whatever the test's outcome, the script
// stops the exporter.
struct TextfileFolder {
    const std::string path = "/tmp/tabrix-textfiles-" + std::to_string(GetCurrentProcessId());
    const std::string prom = dosPath(path + "/tabrix.prom");
    TextfileFolder() { CreateDirectoryA(dosPath(path).c_str(), nullptr); }
    ~TextfileFolder() {
        DeleteFileA(prom.c_str());
        RemoveDirectoryA(dosPath(path).c_str());
    }
};

// The value of the sample `series` in the scrape; -1 when it is missing.
double sample(const std::string& metrics, const std::string& series) {
    const std::size_t at = metrics.find("\n" + series + " ");
    return at == std::string::npos ? -1 : std::atof(metrics.c_str() + at + series.size() + 2);
}

}  // namespace

TEST(Metrics, TheNodeExporterServesTheFileWithASensorNamedFromOutsideAndRisingTraffic) {
    if (std::string(TABRIX_NODE_EXPORTER).empty())
        GTEST_SKIP() << "no node exporter installed (Debian package prometheus-node-exporter)";
    ProgramFolder folder(nullptr);
    Fixture sensors("hwinfo_sensors.exe", folder.path("hwinfo.ready"), "odd");
    ASSERT_TRUE(appears(folder.path("hwinfo.ready")));
    const int lo = loopbackRow();  // the scrapes are traffic on it
    ASSERT_GE(lo, 0) << "no loopback row in the interface table";
    TextfileFolder textfiles;
    folder.write("config.ini",
                 "[general]\r\nskin=Default\r\noutput=1\r\noutputinterval=10\r\nenablemetrics=1\r\n"
                 "metricspath=" +
                     textfiles.prom + "\r\nsavepath=" + folder.path("stats") +
                     "\r\nipinterface=" + std::to_string(lo) + "\r\n");
    const std::string scrapes = "/tmp/tabrix-scrape-" + std::to_string(GetCurrentProcessId()) + ".txt";
    run("\"" + dosPath(TABRIX_PYTHON) + "\" \"" + TABRIX_FIXTURE_SOURCES + "/node_exporter_run.py\" \"" +
            TABRIX_NODE_EXPORTER + "\" \"" + textfiles.path + "\" \"" + scrapes + "\"",
        false);
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());

    const std::string odd = "tabrix_sensor_celsius{sensor=\"C\\\"P\\\\U\\n1\",source=\"HWiNFO\"}";
    const std::string received = "tabrix_network_received_bytes_total";
    std::string first, later;
    EXPECT_TRUE(waitFor(
        [&] {
            first = readFile(dosPath(scrapes));
            return sample(first, odd) >= 0 && sample(first, received) > 0;
        },
        20000))
        << first;
    // Every whole file ends with the info sample; a reader never sees less.
    const PollCounts seen = pollWhileRewritten(
        {textfiles.prom},
        [](std::size_t, const std::string& bytes) {
            const std::size_t last = bytes.rfind("\ntabrix_info{");
            return bytes.rfind("# HELP tabrix_", 0) == 0 && last != std::string::npos &&
                   bytes.find('\n', last + 1) == bytes.size() - 1;
        },
        4000);
    EXPECT_EQ(seen.torn, 0) << seen.lastTorn;
    EXPECT_GE(seen.changes, 3) << "the file did not change while being read";
    later = readFile(dosPath(scrapes));
    EXPECT_TRUE(app.close());
    std::printf("[ scraped  ] %d whole reads, %d while being replaced\n%s", seen.whole, seen.busy,
                later.c_str());
    EXPECT_EQ(0, sample(later, "node_textfile_scrape_error")) << later;
    EXPECT_EQ(55, sample(later, odd));
    EXPECT_EQ(48, sample(later, "tabrix_sensor_celsius{sensor=\"Motherboard\",source=\"HWiNFO\"}"));
    const double load = sample(later, "tabrix_cpu_load_ratio");
    EXPECT_TRUE(load >= 0 && load <= 1) << load;
    EXPECT_GT(sample(later, received), sample(first, received));
    EXPECT_NE(later.find("\ntabrix_info{processor=\""), std::string::npos);
    DeleteFileA(dosPath(scrapes).c_str());
}
