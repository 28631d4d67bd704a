// The sources' Win32 layer under Wine: the interface table, drive space, a named block and the
// sensor web server's fetch.
#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include <cmath>

#include "../main_window_access.h"
#include "platform/win32/Win32Codepage.h"
#include "platform/win32/Win32IpLookup.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32Sources.h"
#include "sources/LhmWebServer.h"
#include "test_helpers.h"
#include "windows/main/Unit1.h"

namespace tabrix::win32 {
namespace {

TEST(Win32Network, TheTableListsRowsAndStaysUsableCallAfterCall) {
    Win32Network network;
    std::vector<InterfaceRow> rows;
    ASSERT_EQ(InterfaceTableResult::Ok, network.interfaceTable(rows));
    ASSERT_FALSE(rows.empty());
    for (const InterfaceRow& r : rows)
        std::printf("row: speed %u in %u out %u \"%s\"\n", r.speed, r.inOctets, r.outOctets,
                    r.description.c_str());
    std::vector<InterfaceRow> again;
    for (int i = 0; i < 50; ++i) ASSERT_EQ(InterfaceTableResult::Ok, network.interfaceTable(again));
    EXPECT_EQ(rows.size(), again.size());
}

TEST(Win32Disks, DriveCAnswersAndAMissingDriveDoesNot) {
    Win32Disks disks;
    uint64_t freeBytes = 0, total = 0;
    ASSERT_TRUE(disks.freeSpace('C', freeBytes, total));
    EXPECT_GT(total, 0u);
    EXPECT_LE(freeBytes, total);
    const DWORD present = GetLogicalDrives();
    char missing = 0;
    for (int i = 25; i >= 3 && !missing; --i)
        if (!(present & (1u << i))) missing = static_cast<char>('A' + i);
    ASSERT_NE(0, missing);
    EXPECT_FALSE(disks.freeSpace(missing, freeBytes, total)) << missing;
}

TEST(Win32SharedMemory, ABlockIsCopiedWithinItsViewAndAMissingOneIsNotThere) {
    Win32SharedMemory memory;
    std::string bytes;
    EXPECT_FALSE(memory.read("Tabrix-test-no-such-block", 328, bytes));
    EXPECT_TRUE(bytes.empty());

    const std::string name = "Tabrix-test-block-" + std::to_string(GetCurrentProcessId());
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 100, name.c_str());
    ASSERT_TRUE(mapping);
    char* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_TRUE(view);
    std::memcpy(view, "sensors", 7);
    ASSERT_TRUE(memory.read(name, 328, bytes));
    EXPECT_EQ(328u, bytes.size());  // a 100-byte block still has a whole page behind it
    EXPECT_EQ("sensors", bytes.substr(0, 7));
    // Asking for more than the view holds gives the view, not more.
    ASSERT_TRUE(memory.read(name, 1 << 20, bytes));
    MEMORY_BASIC_INFORMATION info{};
    VirtualQuery(view, &info, sizeof info);
    EXPECT_EQ(info.RegionSize, bytes.size());
    // A view kept open sees the publisher's changes, copies within itself, and keeps the block
    // after the publisher has let it go.
    const std::unique_ptr<SharedView> kept = memory.open(name);
    ASSERT_TRUE(kept);
    EXPECT_EQ(info.RegionSize, kept->size());
    std::memcpy(view, "readings", 8);
    kept->copy(0, 8, bytes);
    EXPECT_EQ("readings", bytes);
    kept->copy(info.RegionSize - 2, 100, bytes);
    EXPECT_EQ(2u, bytes.size());
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    kept->copy(0, 8, bytes);
    EXPECT_EQ("readings", bytes);
    EXPECT_FALSE(memory.open("Tabrix-test-no-such-block"));
}

// The sensor web server's stand-in (tests/fixtures/lhm_server.py) in one of its modes, run by
// the machine's Python outside Wine on a port of 127.0.0.1 it chose; it ends when its port file
// is gone.
class LhmServer {
public:
    explicit LhmServer(const std::string& mode)
        : file_("/tmp/tabrix-lhm-" + std::to_string(GetCurrentProcessId()) + "-" + mode + ".port") {
        std::string command = "\"" + dos(TABRIX_PYTHON) + "\" \"" + TABRIX_FIXTURE_SOURCES +
                              "/lhm_server.py\" \"" + file_ + "\" " + mode;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                           &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        for (int i = 0; i < 100 && port_.empty(); ++i, Sleep(100))
            std::getline(std::ifstream(dos(file_)), port_);
    }
    ~LhmServer() {
        DeleteFileA(dos(file_).c_str());
        DeleteFileA(dos(file_ + ".hit").c_str());
    }
    const std::string& port() const { return port_; }
    std::string url() const { return "http://127.0.0.1:" + port_ + "/data.json"; }
    // Whether anything reached the listener its redirect names.
    bool elsewhereAsked() const {
        return GetFileAttributesA(dos(file_ + ".hit").c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    static std::string dos(std::string path) {
        for (char& c : path)
            if (c == '/') c = '\\';
        return "Z:" + path;
    }
    std::string file_;
    std::string port_;
};

int threadsOfThisProcess() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

// Asks through the lookup and runs this thread's messages until the answer comes.
std::string ask(Win32IpLookup& lookup, const std::string& url, DWORD& ms) {
    const DWORD start = GetTickCount();
    std::string body;
    bool answered = false;
    lookup.fetch(url, [&](const std::string& b) {
        body = b;
        answered = true;
    });
    while (!answered && GetTickCount() - start < 10000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    ms = GetTickCount() - start;
    return body;
}

TEST(Win32Http, TheSensorFetchTakesAWholeTreeInTimeOnOneThreadAndAsksNoOtherMachine) {
    auto fetch = [&](const std::string& url) {
        Win32LoopbackHttp http(kLhmFetchLimitMs, kLhmSilenceMs);
        return FetchLhmJson(http, url);
    };
    // Nothing listens on port 1 of this machine.
    EXPECT_EQ("Refused", fetch("http://127.0.0.1:1/data.json"));
    // Any other address, even one naming this machine, fails before a connection is tried.
    EXPECT_EQ("Failed", fetch("http://localhost:1/data.json"));
    EXPECT_EQ("Failed", fetch("https://127.0.0.1:1/data.json"));

    // One lookup, as the program keeps it, asked again at once after every answer. Each answer
    // below would read as the tree if what is wrong with it were overlooked; the trickle would
    // hold a read for half an hour, and the healthy server after it finds the thread free.
    const int before = threadsOfThisProcess();
    Win32IpLookup lookup(GetModuleHandleA(nullptr),
                         IpFetch{FetchLhmJson, kLhmFetchLimitMs, kLhmFailed, true, kLhmSilenceMs});
    Win32Codepage codepage;
    for (const char* mode : {"tree", "redirect", "status", "short", "trickle", "chunked", "close", "tree"}) {
        LhmServer server(mode);
        ASSERT_FALSE(server.port().empty()) << mode;
        for (int i = 0; i < 3; ++i) {
            DWORD ms = 0;
            const std::string body = ask(lookup, server.url(), ms);
            const std::string healthy = mode;
            if (healthy == "tree" || healthy == "chunked" || healthy == "close")
                EXPECT_EQ(6u, parseLhmJson(body, codepage).size()) << body.substr(0, 40);
            else
                EXPECT_EQ("Failed", body) << mode;
            // Within the limit, not by the lookup's back-stop half a second after it.
            EXPECT_LT(ms, kLhmFetchLimitMs + 300) << mode << " " << i;
            // The lookup's thread alone.
            EXPECT_LE(threadsOfThisProcess(), before + 1) << mode << " " << i;
        }
        EXPECT_FALSE(server.elsewhereAsked()) << mode;
    }

    // The lookup ends, a fetch under way or not, within its wait for the thread.
    LhmServer trickle("trickle");
    ASSERT_FALSE(trickle.port().empty());
    for (bool underWay : {false, true}) {
        auto second = std::make_unique<Win32IpLookup>(
            GetModuleHandleA(nullptr),
            IpFetch{FetchLhmJson, kLhmFetchLimitMs, kLhmFailed, true, kLhmSilenceMs});
        DWORD ms = 0;
        ask(*second, trickle.url(), ms);
        if (underWay)
            second->fetch(trickle.url(), [](const std::string&) { FAIL() << "answered after the end"; });
        const DWORD start = GetTickCount();
        second.reset();
        EXPECT_LT(GetTickCount() - start, 2500u) << underWay;
    }
}

TEST(Win32Drives, TheDriveBlockOfDriveCAsTheSystemReportsIt) {
    test::ScratchDir dir("tabrix-drives");
    dir.write("config.ini", "[general]\r\nShouldGetDisk=1\r\n");
    dir.write("drives.inf", "3\r\n");
    test::RealPlatform real(dir.dir());
    StoredValues stored;
    test::RecordingErrors sink;
    {
        TForm1 form(real.platform, stored, sink);
        form.FormCreate();  // stops at the missing skin, after the drive block
        ULARGE_INTEGER available{}, total{}, allFree{};
        ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &allFree));
        const double percent = std::nearbyint(100.0 * available.QuadPart / total.QuadPart);
        const std::string expected = "\n\rC: " + std::to_string(static_cast<int>(percent)) + " % of ";
        EXPECT_EQ(expected, form.look().label(36).text.substr(0, expected.size()));
        EXPECT_EQ(" Gb", form.look().label(36).text.substr(form.look().label(36).text.size() - 3));
        EXPECT_TRUE(form.look().label(36).visible);
        EXPECT_EQ(14, lastStartupStep(form));
    }
}

}  // namespace
}  // namespace tabrix::win32
