#include <gtest/gtest.h>

#include "../test_support.h"
#include "config/IniFile.h"
#include "platform/Error.h"
#include "platform/fake/FakeFiles.h"

using tabrix::FakeFiles;
using tabrix::IniFile;

namespace {

const std::string kPath = "C:\\Tabrix\\config.ini";

struct IniFileTest : ::testing::Test {
    FakeFiles files;
    IniFile ini{files, kPath};
    void given(const std::string& bytes) { files.put(kPath, bytes); }
    std::string bytes() const { return files.content(kPath); }
    // The file after one string written into `before`.
    std::string written(const std::string& before, const char* section, const char* key, const char* value) {
        given(before);
        ini.writeString(section, key, value);
        return bytes();
    }
};

TEST_F(IniFileTest, NamesMatchWithoutCaseAndReadersSeeOnlyKeysOfTheFirstSection) {
    given(
        "top=0\r\n[ MODULES\t]\r\nSHOWIP=1\r\nnoequals\r\n;c=3\r\n[general]\r\nx=2\r\n"
        "[modules]\r\nlate=4\r\n");
    EXPECT_EQ(ini.readString("Modules", "showip", "d"), "1");
    EXPECT_EQ(ini.readString("  modules ", " ShowIp\t", "d"), "1");
    EXPECT_EQ(ini.readString("Modules", "noequals", "d"), "d");
    EXPECT_EQ(ini.readString("Modules", "late", "d"), "d");  // repeated section is not read
    EXPECT_EQ(ini.readString("Modules", "x", "d"), "d");
    EXPECT_EQ(ini.readString("", "top", "d"), "d");  // before the first section
    EXPECT_EQ(ini.readString("general", "x", "d"), "2");
}

TEST_F(IniFileTest, ValuesLoseBlanksAndOneEnclosingPairOfQuotes) {
    given(
        "[s]\r\na = \t 1 \x1A \r\nb=\"x y\"\r\nc='z'\r\nd=\"mixed'\r\ne=\"\"q\"\"\r\nf=\"\r\n"
        "g=\r\nh=a=b\r\n k = v\r\ni=\" pad \"\r\nk=second\r\n");
    // clang-format off
    tabrix::test::expectEach<const char*, std::string>(
        [&](const char* key) { return ini.readString("s", key, "d"); },
        {{"a", "1"}, {"b", "x y"}, {"c", "z"}, {"d", "\"mixed'"}, {"e", "\"q\""}, {"f", "\""}, {"g", ""},
         {"h", "a=b"}, {"k", "v"}, {"i", " pad "}});
    // clang-format on
}

TEST_F(IniFileTest, LongValuesAreCutAfterTheQuotesGo) {
    std::string inner(2047, 'q');
    given("[s]\r\nlong=" + std::string(3000, 'v') + "\r\nquoted=\"" + inner + "\"\r\n");
    EXPECT_EQ(ini.readString("s", "long", ""), std::string(2047, 'v'));
    EXPECT_EQ(ini.readString("s", "quoted", ""), inner);
}

TEST_F(IniFileTest, IntegersInDecimalAndHexWithDefaultsForTheRest) {
    given(
        "[g]\r\nhex=0x1F\r\ndollar=$1f\r\nneg=-5\r\nplus=+7\r\nbad=12abc\r\nempty=\r\nbare=0x\r\n"
        "min=-2147483648\r\nover=2147483648\r\nwrap=$FFFFFFFF\r\nnine=$100000000\r\n"
        "zeros=$000000001\r\nsign0x=-0x5\r\n");
    // clang-format off
    tabrix::test::expectEach<const char*, int>(
        [&](const char* key) { return ini.readInteger("g", key, 9); },
        {{"hex", 31}, {"dollar", 31}, {"neg", -5}, {"plus", 7}, {"bad", 9}, {"empty", 9}, {"bare", 9},
         {"min", -2147483647 - 1}, {"over", 9}, {"wrap", -1}, {"nine", 9}, {"zeros", 1}, {"sign0x", 9},
         {"missing", 9}});
    // clang-format on
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndFirstWritesBuildIt) {
    EXPECT_EQ(ini.readString("general", "font", "Tahoma"), "Tahoma");
    EXPECT_EQ(ini.readInteger("general", "alpha", 255), 255);
    ini.writeString("general", "font", "Arial");
    ini.writeInteger("general", "fontsize", -8);
    ini.writeString("Modules", "CheckBox11", "True");
    EXPECT_EQ(bytes(), "[general]\r\nfont=Arial\r\nfontsize=-8\r\n[Modules]\r\nCheckBox11=True\r\n");
    IniFile other(files, kPath);
    EXPECT_EQ(other.readInteger("GENERAL", "FontSize", 0), -8);
}

TEST_F(IniFileTest, WriteReplacesTheFirstMatchInPlaceKeepingEveryOtherByte) {
    given("; head\n[Labels]\r\n  label34LEFT = 5 \r\nlabel34left=6\r\n\r\n[x]\rq=1");
    ini.writeInteger("labels", "Label34left", 12);
    EXPECT_EQ(bytes(), "; head\n[Labels]\r\nlabel34LEFT=12\r\nlabel34left=6\r\n\r\n[x]\rq=1");
    ini.writeString("x", "q", "2");  // last line without a line end keeps none
    EXPECT_EQ(bytes(), "; head\n[Labels]\r\nlabel34LEFT=12\r\nlabel34left=6\r\n\r\n[x]\rq=2");
}

TEST_F(IniFileTest, NewKeyFollowsTheLastFilledLineOfItsSection) {
    EXPECT_EQ(written("[a]\r\nx=1\r\n;note\r\nloose\r\n\r\n  \r\n[b]\r\ny=2\r\n", "A", "new", "v"),
              "[a]\r\nx=1\r\n;note\r\nloose\r\nnew=v\r\n\r\n  \r\n[b]\r\ny=2\r\n");
    written("[a]\n\n[b]", "a", "k", "1");
    ini.writeString("b", "k", "2");
    EXPECT_EQ(bytes(), "[a]\nk=1\r\n\n[b]\r\nk=2\r\n");
    // A line without "=" is never taken for the key.
    EXPECT_EQ(written("[a]\r\nloose\r\n", "a", "loose", "1"), "[a]\r\nloose\r\nloose=1\r\n");
}

TEST_F(IniFileTest, NewSectionGoesAtTheEndAfterEverything) {
    EXPECT_EQ(written("[a]\r\nx=1\r\n\r\n", "b", "k", "v"), "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n");
    EXPECT_EQ(written("[a]\r\nx=1", "b", "k", "v"), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
}

TEST_F(IniFileTest, WritesThatChangeNothingDoNotTouchTheFile) {
    given("[a]\r\nx = 1 \r\n");
    ini.writeString("a", "x", "1");
    ini.writeInteger("A", "X", 1);
    EXPECT_EQ(files.writeCount(kPath), 0);
    ini.writeString("a", "x", "2");
    EXPECT_EQ(files.writeCount(kPath), 1);
    EXPECT_EQ(ini.readString("a", "x", ""), "2");
}

TEST_F(IniFileTest, RefusedWritesThrowAndKeepEarlierWrites) {
    ini.writeString("general", "font", "Arial");
    files.setReadOnly(kPath);
    try {
        ini.writeString("general", "fontsize", "9");
        FAIL() << "no error";
    } catch (const tabrix::Error& e) {
        EXPECT_STREQ(e.what(), "Unable to write to C:\\Tabrix\\config.ini");
    }
    EXPECT_EQ(bytes(), "[general]\r\nfont=Arial\r\n");
    ini.writeString("general", "font", "Arial");  // unchanged: nothing to refuse

    files.setReadOnly(kPath, false);
    files.setUnreadable(kPath);  // rewriting from nothing would drop the file's lines
    EXPECT_THROW(ini.writeString("general", "x", "1"), tabrix::Error);
    EXPECT_EQ(bytes(), "[general]\r\nfont=Arial\r\n");
}

TEST_F(IniFileTest, LineBreaksAndNulInWrittenTextCannotSplitTheEntry) {
    written("[a]\r\nx=1\r\ny=2\r\n", "a", "x", "v\r\n[b]\r\ny=evil");
    ini.writeString(std::string("a\0z", 3), "n", std::string("p\0q", 3));
    EXPECT_EQ(bytes(), "[a]\r\nx=v\r\ny=2\r\nn=p\r\n");
}

}  // namespace

TEST(IniFileBom, AByteOrderMarkBelongsToNoLineAndStaysWhereTheEditorPutIt) {
    FakeFiles files;
    IniFile ini{files, kPath};
    const std::string bom = "\xEF\xBB\xBF";
    files.put(kPath, bom + "[general]\r\nskin=Graphite.bmp\r\nfontsize=9\r\n[position]\r\nleft=40\r\n");
    EXPECT_EQ(ini.readString("general", "skin", "N/A"), "Graphite.bmp");
    EXPECT_EQ(ini.readInteger("general", "fontsize", 8), 9);
    EXPECT_EQ(ini.readInteger("position", "left", 255), 40);

    // A write into the first section changes that line only: no second [general].
    ini.writeString("general", "skin", "Ocean.bmp");
    ini.writeInteger("general", "FormWidth", 277);
    ini.writeInteger("Labels", "Label2left", 5);
    EXPECT_EQ(files.content(kPath), bom +
                                        "[general]\r\nskin=Ocean.bmp\r\nfontsize=9\r\nFormWidth=277\r\n"
                                        "[position]\r\nleft=40\r\n[Labels]\r\nLabel2left=5\r\n");
    EXPECT_EQ(ini.readString("general", "skin", "N/A"), "Ocean.bmp");

    // Only a whole mark at the very start counts: anything else stays part of the line.
    files.put(kPath, "\xEF\xBB[general]\r\nskin=a\r\n");
    EXPECT_EQ(ini.readString("general", "skin", "N/A"), "N/A");
    files.put(kPath, "\r\n" + bom + "[general]\r\nskin=a\r\n");
    EXPECT_EQ(ini.readString("general", "skin", "N/A"), "N/A");
    // A file that is only the mark is an empty file with its mark.
    files.put(kPath, bom);
    ini.writeString("general", "skin", "Sand.bmp");
    EXPECT_EQ(files.content(kPath), bom + "[general]\r\nskin=Sand.bmp\r\n");
}

TEST(IniFileBom, StackedMarksAreSkippedByReaderAndWriterAlike) {
    FakeFiles files;
    IniFile ini{files, kPath};
    const std::string bom = "\xEF\xBB\xBF";
    for (const std::string& marks : {bom + bom, bom + bom + bom}) {
        files.put(kPath, marks + "[general]\r\nleft=7\r\nskin=a\r\n");
        EXPECT_EQ(ini.readInteger("general", "left", 255), 7);
        ini.writeInteger("general", "left", 100);
        EXPECT_EQ(ini.readInteger("general", "left", 255), 100);
        EXPECT_EQ(ini.readString("general", "skin", "N/A"), "a");
        EXPECT_EQ(files.content(kPath), marks + "[general]\r\nleft=100\r\nskin=a\r\n");
    }
    // The reproducer: nothing but two marks, a write, then the read.
    files.put(kPath, bom + bom);
    ini.writeString("s", "k", "v");
    EXPECT_EQ(ini.readString("s", "k", "none"), "v");
    EXPECT_EQ(files.content(kPath), bom + bom + "[s]\r\nk=v\r\n");
}
