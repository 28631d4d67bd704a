// Differential test: the same reads and writes through IniFile and through the
// system's own profile functions, on twin files. Reads must agree everywhere. Files
// must agree byte for byte where the start is in the system's own layout, and in the
// normal form elsewhere, since the system rewrites untouched lines in its own layout
// while IniFile keeps them as they were.
#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "config/IniFile.h"
#include "platform/Error.h"
#include "platform/win32/Win32Files.h"
#include "settings_helpers.h"

using settings_test::normalForm;
using settings_test::ScratchDir;
using settings_test::slurp;
using settings_test::spit;

namespace {

const std::string kLong2047(2047, 'L');
const std::string kLong3000 = std::string(2000, 'M') + std::string(1000, 'N');

// One file written by IniFile, its twin by the system.
class Twins {
public:
    Twins(ScratchDir& dir, const std::string* start)
        : ours_(dir.newFile("ours")), system_(dir.newFile("system")), ini_(files_, ours_) {
        if (start) {
            spit(ours_, *start);
            spit(system_, *start);
        }
    }

    void expectSameRead(const std::string& section, const std::string& key) {
        char buffer[2048];
        DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "<default>", buffer, sizeof buffer,
                                           system_.c_str());
        EXPECT_EQ(ini_.readString(section, key, "<default>"), std::string(buffer, n))
            << "[" << section << "] " << key;
        // Integers follow from the same text; the system has no 32-bit reader of its own
        // with the "$" form, so only the text is compared.
    }

    void write(const std::string& section, const std::string& key, const std::string& value) {
        ini_.writeString(section, key, value);
        ASSERT_TRUE(WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), system_.c_str()));
    }

    std::string ours() const { return slurp(ours_); }
    std::string system() const { return slurp(system_); }

private:
    std::string ours_, system_;
    tabrix::Win32Files files_;
    tabrix::IniFile ini_;
};

const std::vector<std::string> kSections = {"general", "GENERAL", " general ", "Modules",
                                            "MODULES", "x",       "new"};
const std::vector<std::string> kKeys = {"font", "FONT", " Font ", "showip", "ShowIP", "k", "fresh"};

struct DiffTest : ::testing::Test {
    ScratchDir dir{"tabrix_settings_diff"};
};

TEST_F(DiffTest, SystemLayoutFilesAgreeByteForByte) {
    const std::string start = "[general]\r\nfont=Tahoma\r\nshowip=0\r\n[Modules]\r\nCheckBox11=True\r\n";
    Twins twins(dir, &start);
    auto step = [&](const std::string& s, const std::string& k, const std::string& v) {
        twins.write(s, k, v);
        EXPECT_EQ(twins.ours(), twins.system()) << "after [" << s << "] " << k;
        for (const auto& section : kSections)
            for (const auto& key : kKeys) twins.expectSameRead(section, key);
    };
    step("general", "font", "Arial");  // in place
    step("GENERAL", "SHOWIP", "1");    // in place, other case
    step("general", "fresh", "new");   // new key at the end of its section
    step("modules", "CheckBox12", "False");
    step("x", "k", "");  // new section, empty value
    step("x", "long", kLong2047);
    step("x", "longer", kLong3000);
    step("general", "font", "Arial");  // unchanged
    twins.expectSameRead("x", "long");
    twins.expectSameRead("x", "longer");
}

TEST_F(DiffTest, MissingFileIsCreatedAlike) {
    Twins twins(dir, nullptr);
    twins.expectSameRead("general", "font");
    twins.write("general", "font", "Tahoma");
    twins.write("general", "fontsize", "8");
    twins.write("Modules", "CheckBox11", "True");
    EXPECT_EQ(twins.ours(), twins.system());
    EXPECT_EQ(twins.ours(), "[general]\r\nfont=Tahoma\r\nfontsize=8\r\n[Modules]\r\nCheckBox11=True\r\n");
}

// A file with everything a person or another program may leave in it.
TEST_F(DiffTest, HandEditedFileReadsAlikeAndWritesToTheSameEntries) {
    const std::string start =
        "; written by hand\r\npre=1\r\n\r\n[ general ]\r\n  font =  \"Courier New\"  "
        "\r\nFONT=second\r\n"
        "showip= 1 \r\nk='single'\r\nloose line\r\n;k=commented\r\n# hash\r\nempty=\r\n"
        "mixed=\"abc'\r\nlong=" +
        kLong3000 + "\r\nquotedlong=\"" + kLong3000 +
        "\"\r\n\r\n\r\n"
        "[MODULES]\nCheckBox11=True\rCheckBox12 = False\r\n[general]\r\nlate=1\r\n"
        "[x]junk\r\nk=\"\"\r\nlast=no line end";
    Twins twins(dir, &start);
    const std::vector<std::string> keys = {"font", "showip",     "k",          "empty",      "mixed",
                                           "long", "quotedlong", "CheckBox11", "checkbox12", "late",
                                           "last", "pre",        "loose line"};
    for (const auto& section : kSections)
        for (const auto& key : keys) twins.expectSameRead(section, key);
    twins.write("GENERAL", "Font", "Verdana");
    twins.write("general", "added", " padded ");
    twins.write("modules", "CheckBox13", "\"True\"");
    twins.write("x", "last", "now");
    twins.write("x", "k", kLong3000);
    twins.write("new", "k", "v");
    for (const auto& section : kSections)
        for (const auto& key : keys) twins.expectSameRead(section, key);
    twins.expectSameRead("general", "added");
    twins.expectSameRead("Modules", "CheckBox13");
    EXPECT_EQ(normalForm(twins.ours()), normalForm(twins.system()));
}

TEST_F(DiffTest, AFileWithAByteOrderMarkReadsAndWritesAlike) {
    const std::string start =
        "\xEF\xBB\xBF[general]\r\nskin=Graphite.bmp\r\nfont=Tahoma\r\n"
        "[Modules]\r\nCheckBox11=False\r\n";
    Twins twins(dir, &start);
    const std::vector<std::string> keys = {"skin", "font", "CheckBox11", "fresh"};
    for (const auto& section : {"general", "Modules"})
        for (const auto& key : keys) twins.expectSameRead(section, key);
    twins.write("general", "skin", "Ocean.bmp");
    twins.write("general", "fresh", "1");
    twins.write("modules", "CheckBox11", "True");
    for (const auto& section : {"general", "Modules"})
        for (const auto& key : keys) twins.expectSameRead(section, key);
    // The mark is still the first thing in the file, and no section was added twice.
    const std::string ours = twins.ours();
    EXPECT_EQ(ours.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ours.find("[general]", 4), std::string::npos) << ours;
    std::string system = twins.system();
    if (system.compare(0, 3, "\xEF\xBB\xBF") == 0) system.erase(0, 3);
    EXPECT_EQ(normalForm(ours.substr(3)), normalForm(system));
}

std::string randomFile(std::mt19937& rng) {
    const std::vector<std::string> headers = {"[general]", "[GENERAL]", "[ Modules ]",
                                              "[modules]", "[x]junk",   "[new]"};
    const std::vector<std::string> loose = {"; comment", "loose line", "# hash", "", "   "};
    const std::vector<std::string> values = {
        "1", " 1 ", "\"q\"", "' q '", "", "a b", "\"" + kLong3000 + "\"", kLong2047, "'", "\"x'"};
    const std::vector<std::string> ends = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    std::string text;
    if (rng() % 2) text += "pre=1\r\n";
    int lines = 3 + rng() % 20;
    for (int i = 0; i < lines; ++i) {
        int kind = rng() % 6;
        if (kind == 0)
            text += headers[rng() % headers.size()];
        else if (kind == 1)
            text += loose[rng() % loose.size()];
        else
            text += std::string(rng() % 3 ? "" : " ") + kKeys[rng() % kKeys.size()] +
                    (rng() % 3 ? "=" : " = ") + values[rng() % values.size()];
        if (i + 1 < lines || rng() % 3) text += ends[rng() % ends.size()];
    }
    return text;
}

TEST_F(DiffTest, RandomFilesAndSequencesAgree) {
    std::mt19937 rng(1234);
    const std::vector<std::string> values = {"1", "0", " lead", "\"quoted\"", "", kLong2047, kLong3000, "-5"};
    for (int round = 0; round < 25; ++round) {
        const std::string start = randomFile(rng);
        Twins twins(dir, &start);
        for (int op = 0; op < 25; ++op) {
            const std::string& s = kSections[rng() % kSections.size()];
            const std::string& k = kKeys[rng() % kKeys.size()];
            if (rng() % 2) {
                twins.expectSameRead(s, k);
            } else {
                twins.write(s, k, values[rng() % values.size()]);
                ASSERT_EQ(normalForm(twins.ours()), normalForm(twins.system()))
                    << "round " << round << " op " << op;
            }
        }
        for (const auto& section : kSections)
            for (const auto& key : kKeys) twins.expectSameRead(section, key);
        if (HasFailure()) FAIL() << "start of round " << round << ":\n" << start;
    }
}

}  // namespace

namespace {

// Where IniFile keeps the documented rules and the system's profile code does not;
// the system's answer is printed for the record, ours is held to the rules.
TEST_F(DiffTest, DocumentedRulesWhereTheSystemDiffers) {
    auto systemRead = [](const std::string& path, const char* section, const char* key) {
        char buffer[2048];
        DWORD n = GetPrivateProfileStringA(section, key, "<default>", buffer, sizeof buffer, path.c_str());
        return std::string(buffer, n);
    };
    const std::string start = "pre=1\r\n[a]\r\n  x = \"" + kLong2047 + "\"\r\nloose\r\n\r\n[b]\r\ny=1\r\n";
    const std::string path = dir.newFile("rules");
    spit(path, start);
    tabrix::Win32Files files;
    tabrix::IniFile ini(files, path);

    // A quoted value of exactly 2047 characters comes back whole (the system drops one).
    EXPECT_EQ(ini.readString("a", "x", ""), kLong2047);
    std::cout << "system: quoted 2047 -> " << systemRead(path, "a", "x").size() << " characters\n";
    // Lines before the first section belong to no section (the system reads them as "").
    EXPECT_EQ(ini.readString("", "pre", "<default>"), "<default>");
    std::cout << "system: pre-section key -> " << systemRead(path, "", "pre") << "\n";

    // A line without "=" is not the key: the key is added after it (the system turns
    // that line into the key). Every other byte stays, blank lines and blanks included.
    ini.writeString("a", "loose", "1");
    ini.writeString("b", "y", "2\r\n[c]");  // a line break cannot enter the file
    EXPECT_EQ(slurp(path),
              "pre=1\r\n[a]\r\n  x = \"" + kLong2047 + "\"\r\nloose\r\nloose=1\r\n\r\n[b]\r\ny=2\r\n");
}

TEST(Win32Files, ReplacesWholeAndLeavesNoTemporaryFile) {
    ScratchDir dir("tabrix_settings_files");
    tabrix::Win32Files files;
    const std::string path = dir.newFile("f");
    std::string bytes;
    EXPECT_FALSE(files.exists(path));
    EXPECT_FALSE(files.read(path, bytes));
    std::string big(10 * 1024 * 1024 + 7, 'b');
    big[12345] = '\0';
    ASSERT_TRUE(files.writeAtomic(path, big));
    ASSERT_TRUE(files.read(path, bytes));
    EXPECT_EQ(bytes, big);
    ASSERT_TRUE(files.writeAtomic(path, "short"));
    EXPECT_EQ(slurp(path), "short");
    ASSERT_TRUE(files.writeAtomic(path, ""));
    EXPECT_TRUE(files.exists(path));
    EXPECT_EQ(slurp(path), "");
    EXPECT_FALSE(files.exists(path + ".tmp"));
}

TEST(Win32Files, RefusedWritesFailCleanlyAndIniFileSaysSo) {
    ScratchDir dir("tabrix_settings_refused");
    tabrix::Win32Files files;
    const std::string path = dir.newFile("ro");
    ASSERT_TRUE(files.writeAtomic(path, "[a]\r\nx=1\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.writeAtomic(path, "other"));
    EXPECT_EQ(slurp(path), "[a]\r\nx=1\r\n");
    EXPECT_FALSE(files.exists(path + ".tmp"));

    tabrix::IniFile ini(files, path);
    EXPECT_EQ(ini.readInteger("a", "x", 0), 1);
    try {
        ini.writeInteger("a", "x", 2);
        FAIL() << "no error";
    } catch (const tabrix::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    ini.writeInteger("a", "x", 1);  // nothing to change, nothing refused

    const std::string nowhere = dir.path() + "\\missing\\config.ini";
    EXPECT_FALSE(files.writeAtomic(nowhere, "x"));
    EXPECT_THROW(tabrix::IniFile(files, nowhere).writeString("a", "x", "1"), tabrix::Error);
}

}  // namespace
