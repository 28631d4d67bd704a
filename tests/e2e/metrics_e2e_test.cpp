// The real Tabrix.exe writing its metrics into the folder of the machine's node exporter, which
// serves them over 127.0.0.1, with HWiNFO's stand-in giving a sensor a name from outside.
#include "stand_ins.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "../hwinfo_block.h"

using namespace e2e;

namespace {

// The exporter started by tests/fixtures/node_exporter_run.py outside Wine, stopped with the
// test however it ends: the script stops it once the port file is gone (or after two minutes).
class NodeExporter {
public:
    explicit NodeExporter(const std::string& textfileFolder)
        : portFile_("/tmp/tabrix-exporter-" + std::to_string(GetCurrentProcessId()) + ".port") {
        const std::string script = std::string(TABRIX_FIXTURE_SOURCES) + "/node_exporter_run.py";
        run("\"" + dosPath(TABRIX_PYTHON) + "\" \"" + script + "\" \"" + TABRIX_NODE_EXPORTER + "\" \"" +
                textfileFolder + "\" \"" + portFile_ + "\"",
            false);
        waitFor([&] { return !readFile(dosPath(portFile_)).empty(); }, 20000);
        port_ = static_cast<u_short>(std::atoi(readFile(dosPath(portFile_)).c_str()));
    }
    ~NodeExporter() { DeleteFileA(dosPath(portFile_).c_str()); }

    // The body of /metrics, "" when the exporter did not answer.
    std::string scrape() const {
        Winsock ws;
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        const DWORD timeoutMs = 5000;
        setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
                   static_cast<int>(sizeof timeoutMs));
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        at.sin_port = htons(port_);
        std::string answer;
        const char request[] = "GET /metrics HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
        if (connect(s, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0 &&
            send(s, request, sizeof request - 1, 0) > 0) {
            char buffer[8192];
            for (int n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, n);
        }
        closesocket(s);
        const std::size_t body = answer.find("\r\n\r\n");
        return answer.rfind("HTTP/1.0 200", 0) == 0 && body != std::string::npos ? answer.substr(body + 4)
                                                                                 : "";
    }
    bool up() const { return port_ != 0; }

private:
    std::string portFile_;
    u_short port_ = 0;
};

// The value of the sample that starts with `series` followed by a blank; -1 when missing.
double sample(const std::string& metrics, const std::string& series) {
    const std::size_t at = metrics.find("\n" + series + " ");
    return at == std::string::npos ? -1 : std::atof(metrics.c_str() + at + series.size() + 2);
}

}  // namespace

TEST(Metrics, TheNodeExporterServesTheFileWithASensorNamedFromOutsideAndRisingTraffic) {
    if (std::string(TABRIX_NODE_EXPORTER).empty())
        GTEST_SKIP() << "no node exporter installed (Debian package prometheus-node-exporter)";
    const std::string textfiles = "/tmp/tabrix-textfiles-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dosPath(textfiles).c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string prom = dosPath(textfiles + "/tabrix.prom");
    DeleteFileA(prom.c_str());
    ProgramFolder folder(nullptr);
    Fixture sensors("hwinfo_sensors.exe", folder.path("hwinfo.ready"), "odd");
    ASSERT_TRUE(appears(folder.path("hwinfo.ready")));
    const int lo = loopbackRow();
    ASSERT_GE(lo, 0) << "no loopback row in the interface table";
    folder.write("config.ini",
                 "[general]\r\nskin=Default\r\noutput=1\r\noutputinterval=10\r\nenablemetrics=1\r\n"
                 "metricspath=" +
                     prom + "\r\nsavepath=" + folder.path("stats") + "\r\nipinterface=" + std::to_string(lo) +
                     "\r\n");
    NodeExporter exporter(textfiles);
    ASSERT_TRUE(exporter.up());
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());

    // The scrapes themselves are traffic on the loopback, which the counter watches.
    const std::string odd = "tabrix_sensor_celsius{sensor=\"C\\\"P\\\\U\\n1\",source=\"HWiNFO\"}";
    std::string first;
    EXPECT_TRUE(waitFor(
        [&] {
            first = exporter.scrape();
            return sample(first, odd) >= 0 && sample(first, "tabrix_network_received_bytes_total") > 0;
        },
        15000))
        << first;
    // Every whole file ends with the info sample; a reader never sees less.
    const PollCounts seen = pollWhileRewritten(
        {prom},
        [](std::size_t, const std::string& bytes) {
            const std::size_t last = bytes.rfind("\ntabrix_info{");
            return bytes.rfind("# HELP tabrix_", 0) == 0 && last != std::string::npos &&
                   bytes.find('\n', last + 1) == bytes.size() - 1 &&
                   bytes.compare(bytes.size() - 4, 4, "} 1\n") == 0;
        },
        4000);
    EXPECT_EQ(seen.torn, 0) << seen.lastTorn;
    EXPECT_GE(seen.changes, 3) << "the file did not change while being read";
    pause(1500);
    const std::string later = exporter.scrape();
    EXPECT_TRUE(app.close());

    std::printf("[ scraped  ] %d whole reads, %d while being replaced\n%s", seen.whole, seen.busy,
                later.c_str());
    EXPECT_EQ(0, sample(later, "node_textfile_scrape_error")) << later;
    EXPECT_EQ(55, sample(later, odd)) << later;
    EXPECT_EQ(48, sample(later, "tabrix_sensor_celsius{sensor=\"Motherboard\",source=\"HWiNFO\"}")) << later;
    const double load = sample(later, "tabrix_cpu_load_ratio");
    EXPECT_TRUE(load >= 0 && load <= 1) << later;
    EXPECT_GT(sample(later, "tabrix_network_received_bytes_total"),
              sample(first, "tabrix_network_received_bytes_total"))
        << later;
    EXPECT_TRUE(std::regex_search(later, std::regex("\ntabrix_info\\{[^\n]*version=\"0\\.50\"[^\n]*\\} 1\n")))
        << later;
    DeleteFileA(prom.c_str());
    RemoveDirectoryA(dosPath(textfiles).c_str());
}
