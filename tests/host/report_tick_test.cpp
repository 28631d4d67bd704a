// What a report tick costs: the stem read only when config.ini changed, one display
// question shared with the refresh, and the reports replaced without waiting for the disk.
#include <gtest/gtest.h>

#include <map>

#include "config/IniFile.h"
#include "config/SavePath.h"
#include "platform/fake/FakeFiles.h"
#include "platform/fake/Windows1252Codepage.h"
#include "refresh_fixture.h"
#include "report/ReportOutput.h"
#include "report/SourceReportFacts.h"

namespace tabrix::test {
namespace {

const std::string kConfig = "C:\\Tabrix\\config.ini";

// Counts what reaches the disk: reads per path, and which kind of replace each write was.
struct CountingFiles : FakeFiles {
    std::map<std::string, int> reads;
    std::map<std::string, std::string> replacedBy;
    bool stamps = true;
    bool read(const std::string& path, std::string& bytes) override {
        ++reads[path];
        return FakeFiles::read(path, bytes);
    }
    bool writeAtomic(const std::string& path, const std::string& bytes) override {
        if (replacedBy[path].empty()) replacedBy[path] = "flushed";
        return FakeFiles::writeAtomic(path, bytes);
    }
    bool replaceUnflushed(const std::string& path, const std::string& bytes) override {
        replacedBy[path] = "unflushed";
        return FakeFiles::writeAtomic(path, bytes);
    }
    bool stamp(const std::string& path, Stamp& out) override { return stamps && FakeFiles::stamp(path, out); }
};

struct Facts : ReportFacts {
    std::string windowsVersionText() override { return "XP"; }
    std::string currentSong() override { return "Winamp isn't running"; }
    SystemNumbers systemNumbers() override { return {5, 1, 800, 600, 60}; }
};

struct ReportTick : ::testing::Test {
    CountingFiles files;
    Windows1252Codepage codepage;
    Facts facts;
    std::vector<std::string> shown;
    ReportOutput out{files,
                     codepage,
                     facts,
                     [](int) { return std::string("X"); },
                     [this](const std::string& m) { shown.push_back(m); },
                     "0.50"};
    SavePathCache cache;
    void tick() { out.SaveResult(readSavePath(files, kConfig, cache), true, true); }
};

TEST_F(ReportTick, TheStemIsReadAgainOnlyWhenConfigIniChanged) {
    files.put(kConfig, "[general]\r\nsavepath=C:\\web\\stats\r\n");
    tick();
    tick();
    tick();
    EXPECT_EQ(files.reads[kConfig], 1);
    EXPECT_TRUE(files.exists("C:\\web\\stats.xml"));

    // A new stem counts at the very next tick, whoever changed the file.
    files.put(kConfig, "[general]\r\nsavepath=C:\\web\\other\r\n");
    tick();
    EXPECT_EQ(files.reads[kConfig], 2);
    EXPECT_TRUE(files.exists("C:\\web\\other.php"));
    IniFile(files, kConfig).writeString("general", "savepath", "C:\\web\\third");
    const int before = files.reads[kConfig];
    tick();
    EXPECT_EQ(files.reads[kConfig], before + 1);
    EXPECT_TRUE(files.exists("C:\\web\\third.xml"));

    // No config.ini: the default stem, asked for on every tick until the file appears.
    files.remove(kConfig);
    tick();
    tick();
    EXPECT_EQ(files.reads[kConfig], before + 3);
    EXPECT_TRUE(files.exists("c:\\info.txt.xml"));
    EXPECT_TRUE(shown.empty());
}

TEST_F(ReportTick, WithoutAStampTheStemIsReadOnEveryTick) {
    files.stamps = false;
    files.put(kConfig, "[general]\r\nsavepath=C:\\web\\stats\r\n");
    tick();
    tick();
    EXPECT_EQ(files.reads[kConfig], 2);
}

TEST_F(ReportTick, ReportsAreReplacedWithoutWaitingForTheDiskAndConfigIniIsFlushed) {
    files.put(kConfig, "[general]\r\nsavepath=C:\\web\\stats\r\n");
    tick();
    EXPECT_EQ(files.replacedBy["C:\\web\\stats.xml"], "unflushed");
    EXPECT_EQ(files.replacedBy["C:\\web\\stats.php"], "unflushed");
    IniFile(files, kConfig).writeString("general", "lasterror", "x");
    EXPECT_EQ(files.replacedBy[kConfig], "flushed");
}

TEST_F(RefreshTest, OneDisplayQuestionPerTickServesTheLabelAndBothReports) {
    build({"output=1", "outputinterval=1000", "enablexml=1", "enablephp=1", "savepath=C:\\web\\stats"});
    fake.system.display = {75, 32, 1280, 1024};
    fake.system.displayQueries = 0;
    form->systimerTimer();
    form->FileTimer1Timer();
    EXPECT_EQ(fake.system.displayQueries, 1);
    EXPECT_EQ("75Hz @ 1280x1024", form->look().label(18).text);
    const std::string php = fake.files.content("C:\\web\\stats.php");
    EXPECT_NE(php.find("$screen = \"1280 x 1024 @ 75 Hz\";"), std::string::npos) << php;
    const std::string xml = fake.files.content("C:\\web\\stats.xml");
    EXPECT_NE(xml.find("<screen_width>\r\n1280\r\n</screen_width>"), std::string::npos);
    EXPECT_NE(xml.find("<screen_refresh_hz>\r\n75\r\n</screen_refresh_hz>"), std::string::npos);

    // A report tick with no refresh behind it asks once for both files.
    build({"output=1", "outputinterval=1000", "enablexml=1", "enablephp=1", "savepath=C:\\web\\stats"});
    fake.system.displayQueries = 0;
    form->FileTimer1Timer();
    EXPECT_EQ(fake.system.displayQueries, 1);
}

TEST_F(RefreshTest, TheWindowsReportTickWritesTheJsonOnlyWhenOnAndNamesARefusedFile) {
    const struct {
        const char* enable;
        bool readOnly;
        bool written;
        std::vector<std::string> shown;
    } cases[] = {{"enablejson=1", false, true, {}},
                 {"enablejson=0", false, false, {}},
                 {"enablejson=1", true, false, {"Cannot output JSON"}}};
    for (const auto& c : cases) {
        build({"output=1", "outputinterval=1000", "enablexml=1", c.enable, "savepath=C:\\web\\stats"});
        fake.files.setReadOnly("C:\\web\\stats.json", c.readOnly);
        errors.shown.clear();
        form->FileTimer1Timer();
        EXPECT_EQ(c.written, fake.files.exists("C:\\web\\stats.json")) << c.enable << c.readOnly;
        EXPECT_EQ(c.shown, errors.shown) << c.enable << c.readOnly;
        EXPECT_TRUE(fake.files.exists("C:\\web\\stats.xml"));
        fake.files.remove("C:\\web\\stats.json");
    }
}

}  // namespace
}  // namespace tabrix::test
