// The real Tabrix.exe writing its reports on the report timer.
#include <gtest/gtest.h>

#include "e2e_support.h"

#include <cstdio>
#include <nlohmann/json.hpp>

using namespace e2e;

namespace {

bool fileAppears(const std::string& path, int ms) {
    return waitFor([&] { return fileExists(path); }, ms);
}

// config.ini for reports every interval ms, of the kinds switched on in `kinds`, at the stem
// inside the folder.
void reportConfig(const ProgramFolder& folder, int interval, const std::string& kinds,
                  const std::string& stem) {
    folder.write("config.ini",
                 "[general]\r\nskin=Default\r\noutput=1\r\noutputinterval=" + std::to_string(interval) +
                     "\r\n" + kinds + "savepath=" + folder.path(stem) + "\r\n");
}

// The error notice of the process once it exists; null when it did not come within 5 s.
HWND noticeOf(const Running& app) {
    HWND notice = nullptr;
    waitFor([&] { return (notice = findWindowOf(app.pid(), "TForm4")) != nullptr; }, 5000);
    return notice;
}

// True when the machine's Python takes the bytes for one whole JSON document: json.tool
// writes its output file only after it parsed the input.
bool pythonAccepts(const std::string& bytes) {
    const std::string stem = "/tmp/tabrix-json-" + std::to_string(GetCurrentProcessId());
    const std::string in = stem + ".json", out = stem + ".out";
    writeFile(dosPath(in), bytes);
    DeleteFileA(dosPath(out).c_str());
    run("\"" + dosPath(TABRIX_PYTHON) + "\" -m json.tool \"" + in + "\" \"" + out + "\"", false);
    const bool accepted = waitFor([&] { return !readFile(dosPath(out)).empty(); }, 10000);
    DeleteFileA(dosPath(in).c_str());
    DeleteFileA(dosPath(out).c_str());
    return accepted;
}

// Every report test starts from a bare program folder and writes its own config.ini.
class Reports : public ::testing::Test {
protected:
    ProgramFolder folder{nullptr};
};

}  // namespace

TEST_F(Reports, TheTimerWritesBothReportsAtTheConfiguredStem) {
    reportConfig(folder, 300, "enablephp=1\r\nenablexml=1\r\n", "stats");
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    ASSERT_TRUE(fileAppears(folder.path("stats.xml"), 5000));
    ASSERT_TRUE(fileAppears(folder.path("stats.php"), 1000));
    EXPECT_TRUE(app.close());

    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    const std::string xml = readFile(folder.path("stats.xml"));
    EXPECT_EQ(xml.substr(0, 50), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Tabrix>\r\n");
    EXPECT_NE(xml.find("<version>\r\n0.50\r\n</version>\r\n"), std::string::npos);
    EXPECT_NE(xml.find("<version_major>\r\n" + std::to_string(v.dwMajorVersion) + "\r\n"), std::string::npos);
    EXPECT_EQ(xml.substr(xml.size() - 11), "</Tabrix>\r\n");
    const std::string php = readFile(folder.path("stats.php"));
    EXPECT_EQ(php.substr(0, 28), "<?php\r\n//Created By Tabrix\r\n");
    EXPECT_NE(php.find("$tabrix = \"0.50\";\r\n"), std::string::npos);
    EXPECT_NE(php.find("$curplaying = \" \";\r\n"), std::string::npos);
    EXPECT_EQ(php.substr(php.size() - 4), "?>\r\n");
}

TEST_F(Reports, AStemInAMissingFolderShowsBothFailuresAndRecordsTheLast) {
    reportConfig(folder, 500, "enablephp=1\r\nenablexml=1\r\n", "missing\\stats");
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    HWND notice = noticeOf(app);
    ASSERT_TRUE(notice);
    // The PHP report fails first and the XML one is still tried: the balloon ends on its text.
    EXPECT_TRUE(waitFor([&] { return windowText(notice) == "Cannot output XML"; }, 3000))
        << windowText(notice);
    EXPECT_TRUE(IsWindowVisible(notice));
    // The notice's timer records what it showed.
    EXPECT_TRUE(fileGains(folder.path("config.ini"), "lasterror=Cannot output XML\r\n", 12000))
        << readFile(folder.path("config.ini"));
    EXPECT_TRUE(app.close());

    // The PHP writer's own failure text, alone.
    reportConfig(folder, 300, "enablephp=1\r\n", "missing\\stats");
    Running again(folder);
    notice = noticeOf(again);
    ASSERT_TRUE(notice);
    EXPECT_TRUE(waitFor([&] { return windowText(notice) == "Cannot output PHP"; }, 3000))
        << windowText(notice);
}

TEST_F(Reports, AReaderPollingTheXmlAndTheJsonNeverSeesATornFile) {
    reportConfig(folder, 10, "enablexml=1\r\nenablejson=1\r\n", "stats");
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    ASSERT_TRUE(fileAppears(folder.path("stats.xml"), 5000));
    // Read for as long as about 1,000 reports take, each file in turn.
    const PollCounts seen = pollWhileRewritten(
        {folder.path("stats.xml"), folder.path("stats.json")},
        [](std::size_t i, const std::string& bytes) {
            return i == 0 ? bytes.rfind("<?xml ", 0) == 0 && bytes.size() > 11 &&
                                bytes.compare(bytes.size() - 11, 11, "</Tabrix>\r\n") == 0
                          : nlohmann::json::accept(bytes);
        },
        12000);
    EXPECT_EQ(seen.torn, 0) << seen.lastTorn;
    EXPECT_GT(seen.whole, 100);
    EXPECT_GT(seen.changes, 5) << "the reports did not change while being read";
    HWND notice = findWindowOf(app.pid(), "TForm4");
    ASSERT_TRUE(notice);
    EXPECT_NE(windowText(notice), "Cannot output XML") << "a reader made the writer fail";
    EXPECT_NE(windowText(notice), "Cannot output JSON") << "a reader made the writer fail";
    std::printf(
        "[ figures  ] %d whole reads, %d while the file was being replaced, %d different reports seen\n",
        seen.whole, seen.busy, seen.changes);
}

TEST_F(Reports, TheJsonBesideTheXmlParsesAndItsNumbersAreThoseOfTheXmlTexts) {
    reportConfig(folder, 300, "enablexml=1\r\nenablejson=1\r\nShowUsed=1\r\n", "stats");
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    // Once the refresh and the traffic meter have run, every figure is there.
    nlohmann::json j;
    EXPECT_TRUE(waitFor(
        [&] {
            j = nlohmann::json::parse(readFile(folder.path("stats.json")), nullptr, false);
            return j.is_object() && j["download"]["kb_per_s"].is_number() &&
                   j["uptime"]["seconds"].is_number() && j["processor"]["load"]["percent"].is_number();
        },
        10000))
        << j.dump(1);
    EXPECT_TRUE(app.close());  // closed, the two files hold the same last tick
    const std::string bytes = readFile(folder.path("stats.json"));
    EXPECT_TRUE(pythonAccepts(bytes)) << bytes;
    j = nlohmann::json::parse(bytes);
    const std::string xml = readFile(folder.path("stats.xml"));
    EXPECT_EQ(element(xml, "processor", "name"), j["processor"]["name"]);
    EXPECT_EQ(std::stoi(element(xml, "processor", "usage")), j["processor"]["load"]["percent"]);
    for (const char* key : {"memory", "page_file"}) {
        int used = -1, total = -1;
        const char* tag = key == std::string("memory") ? "memory_used" : "virtual_memory";
        EXPECT_EQ(2, std::sscanf(element(xml, "memory", tag).c_str(), "%d / %d Mb", &used, &total)) << tag;
        EXPECT_EQ(used, j[key]["used_mb"]) << key;
        EXPECT_EQ(total, j[key]["total_mb"]) << key;
    }
    unsigned days = 0, hours = 0, minutes = 0;
    EXPECT_EQ(3, std::sscanf(element(xml, "windows", "uptime").c_str(), "%u days %u hrs %u min", &days,
                             &hours, &minutes));
    EXPECT_EQ(days * 86400 + hours * 3600 + minutes * 60, j["uptime"]["seconds"].get<unsigned>() / 60 * 60);
    EXPECT_EQ(std::stod(element(xml, "network", "downstream")), j["download"]["kb_per_s"]);
    EXPECT_EQ(std::stod(element(xml, "network", "upstream")), j["upload"]["kb_per_s"]);
}
