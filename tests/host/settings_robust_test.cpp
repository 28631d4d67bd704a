// Hostile files: whatever the bytes, reads return and writes keep every line they do
// not rewrite.
#include <gtest/gtest.h>

#include <random>

#include "config/IniFile.h"
#include "config/IniText.h"
#include "platform/fake/FakeFiles.h"

using tabrix::FakeFiles;
using tabrix::IniFile;
namespace ini = tabrix::ini;

namespace {

const std::string kPath = "config.ini";

// `after` must be `before` with only the bytes between `from` and the end of the
// text from `before` shared at its tail.
void expectOnlyInsertedAt(const std::string& before, const std::string& after, std::size_t at) {
    ASSERT_GE(after.size(), before.size());
    EXPECT_EQ(after.compare(0, at, before, 0, at), 0);
    std::size_t tail = before.size() - at;
    EXPECT_EQ(after.compare(after.size() - tail, tail, before, at, tail), 0);
}

TEST(SettingsRobust, RandomBytesNeverLoseALineOutsideTheWrittenKey) {
    std::mt19937 rng(20240601);
    const char alphabet[] = "[]=ab \t\r\n\"';\0xA";
    for (int round = 0; round < 3000; ++round) {
        std::string text(rng() % 200, ' ');
        for (char& c : text) c = rng() % 4 == 0 ? static_cast<char>(rng()) : alphabet[rng() % 16];
        std::string section = rng() % 2 ? "a" : "A";
        std::string updated = ini::withValue(text, section, "b", "value");
        ASSERT_EQ(ini::findValue(updated, "a", "B"), std::optional<std::string>("value")) << round;
        if (ini::findValue(text, "a", "b")) continue;  // rewritten in place
        // A new key or section only adds bytes (plus a line end for an open last line).
        std::size_t at = updated.find("b=value\r\n");
        ASSERT_NE(at, std::string::npos);
        std::string stripped = updated;
        stripped.erase(at, 9);
        if (stripped.size() > text.size()) {
            EXPECT_EQ(stripped.compare(0, text.size(), text), 0) << round;
        } else {
            EXPECT_EQ(stripped, text) << round;
        }
    }
}

TEST(SettingsRobust, NulBytesEndValuesAndNamesLikeSystemStrings) {
    const char bytes[] = "[a]\r\nk=x\0y\r\nz\0=1\r\n";
    std::string text(bytes, sizeof bytes - 1);
    EXPECT_EQ(ini::findValue(text, "a", "k"), std::optional<std::string>("x"));
    std::string updated = ini::withValue(text, "a", "n", "1");
    expectOnlyInsertedAt(text, updated, text.size());
}

TEST(SettingsRobust, HugeFileAndLongLineStayWhole) {
    FakeFiles files;
    std::string big = "[pre]\r\n";
    while (big.size() < 10 * 1024 * 1024) big += "key" + std::to_string(big.size()) + "=v\r\n";
    std::string line(100000, 'x');
    big += "[s]\r\nlong=" + line + "\r\nlast=1";  // no final line end
    files.put(kPath, big);
    IniFile ini(files, kPath);
    EXPECT_EQ(ini.readString("s", "long", "").size(), ini::kMaxValueLength);
    EXPECT_EQ(ini.readInteger("s", "last", 0), 1);
    ini.writeString("s", "new", "2");
    EXPECT_EQ(files.content(kPath), big + "\r\nnew=2\r\n");
    ini.writeString("s", "long", "short");
    EXPECT_EQ(ini.readString("s", "long", ""), "short");
    EXPECT_EQ(ini.readString("pre", "key7", ""), "v");
    EXPECT_EQ(files.content(kPath).size(), big.size() + 9 - line.size() + 5);
}

TEST(SettingsRobust, WhatIsWrittenReadsBackWhenTheFormatCanHoldIt) {
    std::mt19937 rng(7);
    std::string text;
    for (int i = 0; i < 500; ++i) {
        std::string section = "s" + std::to_string(rng() % 5);
        std::string key = "k" + std::to_string(rng() % 7);
        std::string value(rng() % 40, 'a' + rng() % 26);
        text = ini::withValue(text, section, key, value);
        ASSERT_EQ(ini::findValue(text, section, key), std::optional<std::string>(value));
    }
}

}  // namespace
