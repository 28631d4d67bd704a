// A writer killed at any moment leaves config.ini as it was after one of its writes:
// never cut short, never mixed.
#include <gtest/gtest.h>

#include <random>

#include "config/IniText.h"
#include "settings_helpers.h"
#include "settings_writer_plan.h"

namespace plan = settings_writer_plan;
using settings_test::ScratchDir;
using settings_test::slurp;
using settings_test::spit;

namespace {

std::string writerExe() {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + "ini_writer.exe";
}

// How many writes the file shows: one more than the highest number in its values.
int writesIn(const std::string& text) {
    int writes = 0;
    for (int n = 0; n < 15; ++n) {
        auto v = tabrix::ini::findValue(text, plan::section(n), plan::key(n));
        if (v) writes = std::max(writes, std::atoi(v->c_str()) + 1);
    }
    return writes;
}

TEST(SettingsKill, KilledWriterLeavesAWholeFile) {
    const std::string exe = writerExe();
    if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no " << exe;
    ScratchDir dir("tabrix_settings_kill");
    std::mt19937 rng(99);
    int cutMidway = 0;
    for (int round = 0; round < 40; ++round) {
        const std::string path = dir.newFile("config");
        spit(path, plan::kStart);
        std::string command = "\"" + exe + "\" \"" + path + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        // Mostly kill while the writes run, sometimes before the first one.
        if (round % 8 != 0) {
            for (int waited = 0; waited < 10000 && slurp(path) == plan::kStart; waited += 5) Sleep(5);
        }
        Sleep(rng() % 120);
        TerminateProcess(process.hProcess, 9);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);

        const std::string text = slurp(path);
        const int writes = writesIn(text);
        ASSERT_EQ(text, plan::after(writes)) << "round " << round << " after " << writes << " writes";
        if (writes > 0) {
            EXPECT_EQ(tabrix::ini::findValue(text, plan::section(writes - 1), plan::key(writes - 1)),
                      plan::value(writes - 1).substr(0, tabrix::ini::kMaxValueLength));
            ++cutMidway;
        }
    }
    EXPECT_GE(cutMidway, 20);  // the kills did land among the writes
}

}  // namespace
