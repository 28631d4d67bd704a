// The real Tabrix.exe with stand-ins of its own for the outside world: an IP-report server on
// 127.0.0.1 (tests/fixtures/ip_server.cpp), the sensor program's block
// (tests/fixtures/sensor_block.cpp), HWiNFO's block (tests/fixtures/hwinfo_sensors.cpp) and
// registry values, LibreHardwareMonitor's web server (tests/fixtures/lhm_server.py), loopback
// traffic sent by the test and a drives.inf.
// Winsock's header goes before anything that brings in windows.h.
#include <winsock2.h>

#include <gtest/gtest.h>
#include <iphlpapi.h>

#include <cstdio>
#include <regex>

#include "e2e_support.h"
#include "stand_ins.h"
#include "windows/main/MainWindowOwner.h"

using namespace e2e;

namespace {

// The IP-report stand-in, listening on a port of 127.0.0.1 that it chose.
class IpServer {
public:
    explicit IpServer(const ProgramFolder& folder)
        : portFile_(folder.path("port.txt")), process_("ip_server.exe", portFile_) {
        waitFor([&] { return !readFile(portFile_).empty(); }, 10000);
        port_ = readFile(portFile_);
    }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + port_ + path; }
    bool up() const { return process_.started() && !port_.empty(); }

private:
    std::string portFile_;
    Fixture process_;
    std::string port_;
};

// A port of 127.0.0.1 where nothing listens.
std::string closedPort() {
    Winsock ws;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
    int length = sizeof at;
    getsockname(s, reinterpret_cast<sockaddr*>(&at), &length);
    closesocket(s);
    return std::to_string(ntohs(at.sin_port));
}

// UDP datagrams from the test to itself through 127.0.0.1.
class LoopbackTraffic {
public:
    LoopbackTraffic() {
        receiver_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        sender_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        at_.sin_family = AF_INET;
        at_.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(receiver_, reinterpret_cast<sockaddr*>(&at_), sizeof at_);
        int length = sizeof at_;
        getsockname(receiver_, reinterpret_cast<sockaddr*>(&at_), &length);
        u_long nonBlocking = 1;
        ioctlsocket(receiver_, FIONBIO, &nonBlocking);
    }
    ~LoopbackTraffic() {
        closesocket(sender_);
        closesocket(receiver_);
    }
    void send(int datagrams) {
        const std::string payload(1000, 'u');
        for (int i = 0; i < datagrams; ++i)
            sendto(sender_, payload.data(), static_cast<int>(payload.size()), 0,
                   reinterpret_cast<sockaddr*>(&at_), sizeof at_);
        char buffer[2048];
        while (recv(receiver_, buffer, sizeof buffer, 0) > 0) {
        }
    }

private:
    Winsock ws_;
    SOCKET receiver_, sender_;
    sockaddr_in at_{};
};

std::string reportConfig(const ProgramFolder& folder, const std::string& more) {
    return "[general]\r\nskin=Default\r\noutput=1\r\noutputinterval=300\r\nenablexml=1\r\nsavepath=" +
           folder.path("stats") + "\r\n" + more;
}

// Runs the program with the lookup at url until the report's address passes done or the time
// is up; every second of it the main window must answer a message within one second.
std::string addressFrom(const std::string& url, const std::string& more,
                        std::function<bool(const std::string&)> done, int& unanswered) {
    ProgramFolder folder(nullptr);
    folder.write("config.ini", reportConfig(folder, "showip=1\r\nipserver=" + url + "\r\n" + more));
    Running app(folder);
    if (!app.mainWindow()) return "no window";
    std::string ip;
    const DWORD start = GetTickCount();
    waitFor(
        [&] {
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(app.mainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result))
                ++unanswered;
            ip = element(readFile(folder.path("stats.xml")), "network", "ext_ip");
            return done(ip);
        },
        15000);
    // A figure for the record, not a bound: the machine may be loaded.
    std::printf("%s: \"%.20s\" (%zu bytes) after about %lu ms\n", url.c_str(), ip.c_str(), ip.size(),
                static_cast<unsigned long>(GetTickCount() - start));
    app.close();
    return ip;
}

}  // namespace

TEST(Sources, TheReportCarriesTheAddressTheSensorsAndTheLoopbackRate) {
    ProgramFolder folder(nullptr);
    IpServer server(folder);
    ASSERT_TRUE(server.up());
    Fixture sensors("sensor_block.exe", folder.path("sensors.ready"));
    ASSERT_TRUE(appears(folder.path("sensors.ready")));
    const int lo = loopbackRow();
    ASSERT_GE(lo, 0) << "no loopback row in the interface table";
    folder.write("config.ini", reportConfig(folder, "showip=1\r\nipserver=" + server.url("/plain") +
                                                        "\r\nipinterval=60000\r\nipinterface=" +
                                                        std::to_string(lo) + "\r\n"));
    LoopbackTraffic traffic;
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    std::string xml;
    const std::regex moving(" [0-9]+(\\.[0-9]+)? Kb/");
    waitFor(
        [&] {
            // About 4 KB every 50 ms: under 100 Kb/s, whose rate text the report keeps whole.
            traffic.send(4);
            xml = readFile(folder.path("stats.xml"));
            const std::string down = element(xml, "network", "downstream");
            return element(xml, "network", "ext_ip") == "192.0.2.44" &&
                   element(xml, "temperature", "temp1") != "X" && std::regex_match(down, moving) &&
                   down != " 0 Kb/s";
        },
        15000);
    EXPECT_TRUE(app.close());
    std::printf("ext_ip \"%s\", downstream \"%s\", upstream \"%s\"\n",
                element(xml, "network", "ext_ip").c_str(), element(xml, "network", "downstream").c_str(),
                element(xml, "network", "upstream").c_str());
    EXPECT_EQ("192.0.2.44", element(xml, "network", "ext_ip"));
    EXPECT_EQ("45.5 *C", element(xml, "temperature", "temp1"));
    EXPECT_EQ("38 *C", element(xml, "temperature", "temp2"));
    EXPECT_EQ("255 *C", element(xml, "temperature", "temp3"));  // written, though its pair is hidden
    const std::string down = element(xml, "network", "downstream");
    EXPECT_TRUE(std::regex_match(down, moving)) << down;
    EXPECT_NE(" 0 Kb/s", down);
}

namespace {

// Dark pixels in a rectangle of the main window's client area, the window brought on top.
int darkPixels(HWND w, RECT area) {
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    pause(300);
    POINT p{0, 0};
    ClientToScreen(w, &p);
    OffsetRect(&area, p.x, p.y);
    Screenshot shot(area);
    int dark = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) dark += isDark(shot.at(x, y));
    return dark;
}

}  // namespace

TEST(Sources, WithoutMotherboardMonitorTheWidgetAndTheReportShowHwinfosReadings) {
    ProgramFolder folder(nullptr);
    Fixture sensors("hwinfo_sensors.exe", folder.path("hwinfo.ready"));
    ASSERT_TRUE(appears(folder.path("hwinfo.ready")));
    // The three temperatures of the report, and the dark pixels of each pair's name (x 32 to
    // 118 of rows from y 216, 232 and 248): a name drawn the same gives the same count.
    std::vector<int> names;
    auto run = [&](const std::string& sensorsSection) {
        folder.write("config.ini",
                     reportConfig(folder, "ontop=1\r\n[position]\r\nleft=40\r\ntop=40\r\n" + sensorsSection));
        DeleteFileA(folder.path("stats.xml").c_str());
        Running app(folder);
        std::string xml;
        waitFor(
            [&] {
                xml = readFile(folder.path("stats.xml"));
                return element(xml, "temperature", "temp3") != "X" &&
                       !element(xml, "temperature", "temp3").empty();
            },
            10000);
        for (int top = 216; top <= 248 && app.mainWindow(); top += 16)
            names.push_back(darkPixels(app.mainWindow(), RECT{32, top, 118, top + 14}));
        EXPECT_TRUE(app.close());
        return element(xml, "temperature", "temp1") + "|" + element(xml, "temperature", "temp2") + "|" +
               element(xml, "temperature", "temp3");
    };
    EXPECT_EQ("55 *C|48 *C|33 *C", run(""));
    EXPECT_EQ("1200 RPM|55 *C|48 *C", run("[Sensors]\r\nreading1=CPU Fan\r\n"));
    ASSERT_EQ(6u, names.size());
    std::printf("dark pixels of the names: %d %d %d, then %d %d %d\n", names[0], names[1], names[2], names[3],
                names[4], names[5]);
    for (int n : names) EXPECT_GT(n, 20);
    EXPECT_NE(names[0], names[3]);  // "CPU Fan:" took the first pair
    EXPECT_EQ(names[0], names[4]);  // "CPU:" moved down
    EXPECT_EQ(names[1], names[5]);  // and "Motherboard:"
}

namespace {

// HWiNFO's values for widgets, put into the prefix's registry with reg.exe as HWiNFO would put
// them; gone again when the test ends.
class RegistryValues {
public:
    bool add(int n, const std::string& label, const std::string& value, const std::string& raw) {
        const std::string i = std::to_string(n);
        return put("Sensor" + i, "Test") && put("Label" + i, label) && put("Value" + i, value) &&
               put("ValueRaw" + i, raw);
    }
    ~RegistryValues() { run("reg delete \"HKCU\\Software\\HWiNFO64\" /f", true); }

private:
    static bool put(const std::string& name, const std::string& text) {
        return run(
            "reg add \"HKCU\\Software\\HWiNFO64\\VSB\" /v " + name + " /t REG_SZ /d \"" + text + "\" /f",
            true);
    }
};

// The web server's stand-in (tests/fixtures/lhm_server.py), run by the machine's Python outside
// Wine on a port of 127.0.0.1 it chose; it ends by itself once its port file is gone.
class LhmServer {
public:
    LhmServer() : portFile_("/tmp/tabrix-lhm-" + std::to_string(GetCurrentProcessId()) + ".port") {
        const std::string script = std::string(TABRIX_FIXTURE_SOURCES) + "/lhm_server.py";
        run("\"" + dosPath(TABRIX_PYTHON) + "\" \"" + script + "\" \"" + portFile_ + "\"", false);
        waitFor([&] { return !readFile(dosPath(portFile_)).empty(); }, 10000);
        port_ = readFile(dosPath(portFile_));
    }
    ~LhmServer() { DeleteFileA(dosPath(portFile_).c_str()); }
    const std::string& port() const { return port_; }

private:
    std::string portFile_;
    std::string port_;
};

// The report's three temperatures once all three pairs have readings.
std::string reportedPairs(const std::string& more) {
    ProgramFolder folder(nullptr);
    folder.write("config.ini", reportConfig(folder, more));
    Running app(folder);
    std::string xml;
    auto pair = [&](const char* tag) { return element(xml, "temperature", tag); };
    waitFor(
        [&] {
            xml = readFile(folder.path("stats.xml"));
            return !pair("temp3").empty() && pair("temp3") != "X";
        },
        15000);
    app.close();
    return pair("temp1") + "|" + pair("temp2") + "|" + pair("temp3");
}

}  // namespace

TEST(Sources, HwinfosRegistryValuesAndTheWebServerFillThePairsWithoutTheSharedMemory) {
    {
        RegistryValues values;
        ASSERT_TRUE(values.add(0, "CPU Package", "51.2 \260C", "51.2344665527344"));
        ASSERT_TRUE(values.add(1, "Vcore", "1.208 V", "1,2079999"));
        ASSERT_TRUE(values.add(3, "Drive", "104 \260F", "104"));
        EXPECT_EQ("51.2 *C|1.208 V|40 *C", reportedPairs("[Sensors]\r\nreading2=vcore\r\n"));
    }
    LhmServer server;
    ASSERT_FALSE(server.port().empty());
    EXPECT_EQ("1200 RPM|51.2 *C|44 *C",
              reportedPairs("[Sensors]\r\nreading1=CPU Fan\r\nlhmport=" + server.port() + "\r\n"));
}

TEST(Sources, AMarkupPageAHugeBodyAClosedPortAndASilentServer) {
    ProgramFolder serverFolder(nullptr);
    IpServer server(serverFolder);
    ASSERT_TRUE(server.up());
    int unanswered = 0;

    EXPECT_EQ("Bad IP Server",
              addressFrom(
                  server.url("/markup"), "", [](const std::string& ip) { return !ip.empty(); }, unanswered));
    // A body that never ends is cut at 64 KB.
    EXPECT_EQ(std::string(65536, '7'),
              addressFrom(
                  server.url("/huge"), "", [](const std::string& ip) { return !ip.empty(); }, unanswered));
    EXPECT_EQ("Failed", addressFrom(
                            "http://127.0.0.1:" + closedPort() + "/ip", "",
                            [](const std::string& ip) { return !ip.empty(); }, unanswered));
    // Bytes from the server are outside input: markup characters reach the report escaped.
    const std::string odd = addressFrom(
        server.url("/odd"), "", [](const std::string& ip) { return !ip.empty(); }, unanswered);
    EXPECT_EQ(0u, odd.find("192.0.2.45")) << odd;
    EXPECT_NE(std::string::npos, odd.find("&lt;&amp;&gt;\"'")) << odd;
    // Controls that XML does not allow never reach the file as they are.
    for (char c : odd) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n') << odd;
    EXPECT_NE(std::string::npos, odd.find("&#xFFFD;")) << odd;
    EXPECT_EQ(0, unanswered);

    // A server that accepts and never answers: the window keeps answering, and the lookup
    // gives up with "Failed" on its own. The refresh timer's attempts fail the same way.
    EXPECT_EQ("Failed", addressFrom(
                            server.url("/silent"), "ipinterval=1000\r\n",
                            [](const std::string& ip) { return ip == "Failed"; }, unanswered));
    EXPECT_EQ(0, unanswered);
}

TEST(Sources, ADrivesFileSelectingCShowsItsLine) {
    auto darkBelowTheDriveLabel = [](const char* shouldGetDisk) {
        ProgramFolder folder(nullptr);
        folder.write("config.ini",
                     std::string("[general]\r\nskin=Default\r\nontop=1\r\nShouldGetDisk=") + shouldGetDisk +
                         "\r\n[modules]\r\nCheckBox21=False\r\n[position]\r\nleft=40\r\ntop=40\r\n");
        folder.write("drives.inf", "3\r\n");
        Running app(folder);
        if (!app.mainWindow()) return -1;
        pause(1500);
        const int dark = darkPixels(app.mainWindow(), RECT{160, 216, 268, 270});
        app.close();
        return dark;
    };
    const int without = darkBelowTheDriveLabel("0");
    const int with = darkBelowTheDriveLabel("1");
    std::printf("dark pixels under the drive label: %d without, %d with the drive line\n", without, with);
    ASSERT_GE(without, 0);
    EXPECT_GT(with, without + 20);
}

TEST(Sources, AnAnswerForAWindowThatIsGoneIsDropped) {
    ProgramFolder serverFolder(nullptr);
    IpServer server(serverFolder);
    ASSERT_TRUE(server.up());

    // Reload while the lookup waits on a silent server; the new window looks nothing up, so
    // its address stays empty even after the old window's lookup has given up.
    ProgramFolder folder(nullptr);
    folder.write(
        "config.ini",
        reportConfig(folder, "SysTrayIcon=1\r\nshowip=1\r\nipserver=" + server.url("/silent") + "\r\n"));
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    folder.write("config.ini", reportConfig(folder, "SysTrayIcon=1\r\nshowip=0\r\n"));
    ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuReload));
    ASSERT_TRUE(waitFor([&] { return !IsWindow(w) && findWindowOf(app.pid(), "TForm1"); }, 5000));
    pause(7000);  // the old lookup's five seconds are over
    const std::string xml = readFile(folder.path("stats.xml"));
    EXPECT_NE(std::string::npos, xml.find("<ext_ip>\r\n\r\n</ext_ip>")) << xml;
    EXPECT_TRUE(app.alive());
    EXPECT_TRUE(app.close());
    DWORD code = 1;
    GetExitCodeProcess(app.process(), &code);
    EXPECT_EQ(0u, code);

    // Exit while a lookup waits: the program ends at once and cleanly.
    ProgramFolder exiting(nullptr);
    exiting.write("config.ini",
                  reportConfig(exiting, "showip=1\r\nipserver=" + server.url("/silent") + "\r\n"));
    Running quitter(exiting);
    ASSERT_TRUE(quitter.mainWindow());
    const DWORD start = GetTickCount();
    EXPECT_TRUE(quitter.close());
    std::printf("ended %lu ms after the close with a lookup under way\n",
                static_cast<unsigned long>(GetTickCount() - start));
    code = 1;
    GetExitCodeProcess(quitter.process(), &code);
    EXPECT_EQ(0u, code);
}
