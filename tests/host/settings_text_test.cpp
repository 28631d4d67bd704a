// Colour text and drives.inf.
#include <gtest/gtest.h>

#include <functional>

#include "../test_support.h"
#include "config/ColorText.h"
#include "config/DrivesFile.h"
#include "error_text.h"
#include "platform/Error.h"
#include "platform/fake/FakeFiles.h"

using namespace tabrix;

namespace {

using test::errorOf;

TEST(ColorText, NamesBothWaysAndHexForTheRest) {
    // 0x80000019 (index 25) has no name.
    // clang-format off
    test::expectEach<std::uint32_t, std::string>(
        colorToText, {{0x000000, "clBlack"}, {0xFFFFFF, "clWhite"}, {0xF0CAA6, "clSkyBlue"},
                      {0x1FFFFFFF, "clNone"}, {0x80000000, "clScrollBar"}, {0x80000018, "clInfoBk"},
                      {0x8000001A, "clHotLight"}, {0x8000001E, "clMenuBar"}, {0x80000019, "$80000019"},
                      {0x0080FF40, "$0080FF40"}, {0xFF, "clRed"}});
    // clang-format on
    // clang-format off
    test::expectEach<std::string, std::uint32_t>(
        textToColor, {{"ClBlack", 0u}, {"CLWHITE", 0xFFFFFFu}, {"clbtnface", 0x8000000Fu},
                      {"$000000FF", 0xFFu}, {"$80000005", 0x80000005u}, {"255", 0xFFu}, {"-1", 0xFFFFFFFFu}});
    // clang-format on
}

TEST(ColorText, EveryNameAndValueSurvivesARoundTrip) {
    for (std::uint32_t v :
         {0x0u, 0x80000000u, 0x80000013u, 0x8000001Du, 0x20000000u, 0xC0DCC0u, 0x12345678u, 0xFFFFFFFFu})
        EXPECT_EQ(textToColor(colorToText(v)), v) << v;
}

TEST(ColorText, TextThatIsNeitherNameNorNumberIsAnError) {
    for (std::string bad : {"red", "", "clBlack ", "0x10", "$", "$123456789", "4294967295"})
        EXPECT_EQ(errorOf([&] { textToColor(bad); }), "'" + bad + "' is not a valid integer value");
}

TEST(DrivesFile, ReadsEveryKindOfLineEnd) {
    FakeFiles files;
    files.put("d.inf", "3\r\n4\n5\r26");
    EXPECT_EQ(readDrivesFile(files, "d.inf"), (std::vector<int>{3, 4, 5, 26}));
    files.put("d.inf", "");
    EXPECT_TRUE(readDrivesFile(files, "d.inf").empty());
    files.put("d.inf", "1\r\n\r\n");
    EXPECT_EQ(splitLines("1\r\n\r\n"), (std::vector<std::string>{"1", ""}));
    EXPECT_EQ(errorOf([&] { readDrivesFile(files, "d.inf"); }), "'' is not a valid integer value");
}

TEST(DrivesFile, FailuresCarryTheirTexts) {
    FakeFiles files;
    EXPECT_EQ(errorOf([&] { readDrivesFile(files, "C:\\T\\drives.inf"); }),
              "Cannot open file C:\\T\\drives.inf");
    for (std::string bad : {"C", " 3", "3 ", "$3", "9999999999"}) {
        files.put("d.inf", "1\r\n" + bad + "\r\n");
        EXPECT_EQ(errorOf([&] { readDrivesFile(files, "d.inf"); }),
                  "'" + bad + "' is not a valid integer value");
    }
    files.setReadOnly("d.inf");
    EXPECT_EQ(errorOf([&] { writeDrivesFile(files, "d.inf", {1}); }), "Unable to write to d.inf");
}

TEST(DrivesFile, WritesCrLfAfterEveryLineAndNothingForNoDrives) {
    FakeFiles files;
    writeDrivesFile(files, "d.inf", {3, 4});
    EXPECT_EQ(files.content("d.inf"), "3\r\n4\r\n");
    EXPECT_EQ(readDrivesFile(files, "d.inf"), (std::vector<int>{3, 4}));
    writeDrivesFile(files, "d.inf", {});
    EXPECT_TRUE(files.exists("d.inf"));
    EXPECT_EQ(files.content("d.inf"), "");
}

}  // namespace
