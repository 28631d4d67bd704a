#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "config/IniFile.h"
#include "config/SavePath.h"
#include "platform/Error.h"
#include "platform/fake/FakeFiles.h"
#include "platform/fake/FakeSystem.h"
#include "platform/fake/Windows1252Codepage.h"
#include "report/ReportOutput.h"
#include "report/SourceReportFacts.h"
#include "sources/WAmpMsg.h"
#include "windows/main/StartupSettings.h"

using namespace tabrix;

namespace {

const std::string kConfig = "C:\\Tabrix\\config.ini";

// FakeFiles that also remembers the order in which paths were written.
struct OrderedFiles : FakeFiles {
    std::vector<std::string> order;
    bool writeAtomic(const std::string& path, const std::string& bytes) override {
        const bool ok = FakeFiles::writeAtomic(path, bytes);
        if (ok) order.push_back(path);
        return ok;
    }
};

struct ScriptedFacts : ReportFacts {
    std::string windows = "XP Service Pack 2";
    std::string song = "Winamp isn't running";
    bool windowsFails = false;
    bool songFails = false;
    int songAsked = 0;
    int windowsAsked = 0;
    std::string windowsVersionText() override {
        ++windowsAsked;
        if (windowsFails) throw Error("no version");
        return windows;
    }
    std::string currentSong() override {
        ++songAsked;
        if (songFails) throw std::runtime_error("player gone");
        return song;
    }
    SystemNumbers systemNumbers() override { return {5, 1, 1024, 768, 60}; }
};

struct FailingCodepage : Windows1252Codepage {
    std::string ansiToUtf8(const std::string&) override { throw Error("Cannot convert text"); }
};

struct ReportOutputTest : ::testing::Test {
    OrderedFiles files;
    Windows1252Codepage codepage;
    ScriptedFacts facts;
    std::map<int, std::string> labels;
    std::vector<std::string> shown;
    bool showThrows = false;
    ReportOutput out{files,
                     codepage,
                     facts,
                     [this](int n) { return labels[n]; },
                     [this](const std::string& m) {
                         shown.push_back(m);
                         if (showThrows) throw std::runtime_error("notice broken");
                     },
                     "0.50"};

    ReportOutputTest() {
        for (int n = 2; n <= 36; ++n) labels[n] = "X";
        labels[31] = labels[32] = labels[33] = "";
    }
    // A report tick: the stem read afresh from config.ini, then both writers.
    void tick(bool php, bool xml) { out.SaveResult(readSavePath(files, kConfig), php, xml); }
    void savepath(const std::string& stem) { files.put(kConfig, "[general]\r\nsavepath=" + stem + "\r\n"); }
};

}  // namespace

TEST_F(ReportOutputTest, TheStemIsReadOnEveryTickAndGetsBothExtensions) {
    tick(true, true);
    EXPECT_EQ(files.order, (std::vector<std::string>{"c:\\info.txt.php", "c:\\info.txt.xml"}));
    savepath("c:\\inetpub\\wwwroot\\stats");
    tick(true, true);
    EXPECT_EQ(files.order.at(2), "c:\\inetpub\\wwwroot\\stats.php");
    EXPECT_EQ(files.order.at(3), "c:\\inetpub\\wwwroot\\stats.xml");
    EXPECT_TRUE(shown.empty());
}

TEST_F(ReportOutputTest, OnlyTheExactTextOneEnablesAWriter) {
    for (const char* off : {"0", "", "True", " 1", "01"}) {
        // Quoted, so that the blank of " 1" stays part of the value.
        const std::string quoted = std::string("\"") + off + "\"";
        files.put(kConfig, "[general]\r\nenablephp=" + quoted + "\r\nenablexml=" + quoted + "\r\n");
        const StartupSettings s = readStartupSettings(IniFile(files, kConfig), 0, 0);
        tick(s.enablePhp, s.enableXml);
    }
    EXPECT_TRUE(files.order.empty());
    EXPECT_EQ(facts.songAsked + facts.windowsAsked, 0);  // nothing is asked for a report not written
    out.SaveResult("s", false, true);
    out.SaveResult("s", true, false);
    EXPECT_EQ(files.order, (std::vector<std::string>{"s.xml", "s.php"}));
}

TEST_F(ReportOutputTest, FilesAreTheLinesWithCrLfNoBomAndOnlyTheXmlBecomesUtf8) {
    labels[2] = "Bj\xF6rk \x80 CPU";
    facts.song = "Sigur R\xF3s";
    out.SaveResult("s", true, true);
    const std::string php = files.content("s.php");
    const std::string xml = files.content("s.xml");
    EXPECT_EQ(php.substr(0, 7), "<?php\r\n");
    EXPECT_EQ(php.substr(php.size() - 4), "?>\r\n");
    EXPECT_NE(php.find("$processor = \"Bj\xF6rk \x80 CPU\";\r\n"), std::string::npos);
    EXPECT_NE(php.find("$curplaying = \"Sigur R\xF3s\";\r\n"), std::string::npos);
    EXPECT_EQ(xml.substr(0, 40), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    EXPECT_NE(xml.find("\r\n<name>\r\nBj\xC3\xB6rk \xE2\x82\xAC CPU\r\n</name>\r\n"), std::string::npos);
    EXPECT_EQ(xml.substr(xml.size() - 11), "</Tabrix>\r\n");
    size_t lines = 0;
    for (size_t i = xml.find("\r\n"); i != std::string::npos; i = xml.find("\r\n", i + 2)) ++lines;
    EXPECT_EQ(lines, 72u);
}

TEST_F(ReportOutputTest, APhpFailureIsReportedAndTheXmlStillWritten) {
    files.put("s.php", "old php");
    files.setReadOnly("s.php");
    out.SaveResult("s", true, true);
    EXPECT_EQ(shown, (std::vector<std::string>{"Cannot output PHP"}));
    EXPECT_EQ(files.content("s.php"), "old php");
    EXPECT_EQ(files.order, (std::vector<std::string>{"s.xml"}));

    shown.clear();
    facts.songFails = true;
    files.setReadOnly("s.php", false);
    out.SaveResult("s", true, true);
    EXPECT_EQ(shown, (std::vector<std::string>{"Cannot output PHP"}));
    EXPECT_EQ(files.content("s.php"), "old php");
}

TEST_F(ReportOutputTest, AnXmlFailureIsReportedOnEveryTickWhileItLasts) {
    files.setReadOnly("s.xml");
    out.SaveResult("s", true, true);
    out.SaveResult("s", true, true);
    EXPECT_EQ(shown, (std::vector<std::string>{"Cannot output XML", "Cannot output XML"}));
    EXPECT_EQ(files.writeCount("s.php"), 2);

    shown.clear();
    files.setReadOnly("s.xml", false);
    facts.windowsFails = true;
    out.SaveResult("s", false, true);
    EXPECT_EQ(shown, (std::vector<std::string>{"Cannot output XML"}));
    EXPECT_FALSE(files.exists("s.xml"));
}

TEST_F(ReportOutputTest, AFailedConversionWritesNoXml) {
    FailingCodepage failing;
    ReportOutput broken{files,
                        failing,
                        facts,
                        [](int) { return std::string("X"); },
                        [this](const std::string& m) { shown.push_back(m); },
                        "0.50"};
    broken.SaveResult("s", true, true);
    EXPECT_EQ(shown, (std::vector<std::string>{"Cannot output XML"}));
    EXPECT_TRUE(files.exists("s.php"));
    EXPECT_FALSE(files.exists("s.xml"));
}

TEST_F(ReportOutputTest, AFailureBeyondTheWritersIsTheInitializeText) {
    // The notice itself failing inside the PHP writer's handler ends the tick there.
    files.setReadOnly("s.php");
    showThrows = true;
    EXPECT_THROW(out.SaveResult("s", true, true), std::runtime_error);
    EXPECT_EQ(shown, (std::vector<std::string>{"Cannot output PHP", "Cannot initialize output"}));
    EXPECT_FALSE(files.exists("s.xml"));
}

TEST(Windows1252, LatinOneAboveTheControlsAndTheWindowsPunctuationBetween) {
    Windows1252Codepage cp;
    EXPECT_EQ(cp.ansiToUtf8("plain <&>\r\n"), "plain <&>\r\n");
    EXPECT_EQ(cp.ansiToUtf8("Bj\xF6rk \xA0\xFF"), "Bj\xC3\xB6rk \xC2\xA0\xC3\xBF");
    EXPECT_EQ(cp.ansiToUtf8("\x80\x85\x9F"), "\xE2\x82\xAC\xE2\x80\xA6\xC5\xB8");
    EXPECT_EQ(cp.ansiToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");  // unassigned: the C1 control
    EXPECT_EQ(cp.ansiToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(SourceReportFacts, TheSongIsAskedAfreshAndTheNumbersComeFromTheSystem) {
    FakeFiles files;
    Windows1252Codepage codepage;
    FakeSystem system;
    system.display = DisplayMode{75, 32, 1280, 1024};
    FakePlayerWindow player;
    SourceReportFacts facts(system, VersionInfo{5, 0, 2195, kPlatformNt, "Service Pack 4"},
                            [&] { return TWinampApi(player, "").GetCurrentSong(); });
    std::vector<std::string> shown;
    ReportOutput out(
        files, codepage, facts, [](int) { return std::string("X"); },
        [&](const std::string& m) { shown.push_back(m); }, "0.50");

    out.SaveResult("s", true, true);
    EXPECT_NE(files.content("s.php").find("$curplaying = \" \";\r\n"), std::string::npos);
    EXPECT_NE(files.content("s.php").find("$screen = \"1280 x 1024 @ 75 Hz\";\r\n"), std::string::npos);
    EXPECT_NE(files.content("s.php").find("$winver = \"Windows X\";\r\n"), std::string::npos);
    const std::string xml = files.content("s.xml");
    EXPECT_NE(xml.find("<windows>\r\n<name>\r\n2000 Service Pack 4\r\n</name>\r\n"
                       "<version_major>\r\n5\r\n</version_major>\r\n"
                       "<version_minor>\r\n0\r\n</version_minor>\r\n"),
              std::string::npos);

    player.open(kPlayerClass, "12. Bj\xF6rk - \"Joga\" - Winamp");
    out.SaveResult("s", true, false);
    EXPECT_NE(files.content("s.php").find("$curplaying = \"12. Bj\xF6rk - \\\"Joga\\\"\";\r\n"),
              std::string::npos);
    EXPECT_TRUE(shown.empty());
}
