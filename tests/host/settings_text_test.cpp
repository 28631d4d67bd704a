// Colour text and drives.inf.
#include <gtest/gtest.h>

#include <functional>

#include "error_text.h"
#include "platform/Error.h"
#include "platform/fake/FakeFiles.h"
#include "settings/ColorText.h"
#include "settings/DrivesFile.h"

using namespace tabrix;

namespace {

using test::errorOf;

TEST(ColorText, NamesBothWaysAndHexForTheRest) {
    EXPECT_EQ(colorToText(0x000000), "clBlack");
    EXPECT_EQ(colorToText(0xFFFFFF), "clWhite");
    EXPECT_EQ(colorToText(0xF0CAA6), "clSkyBlue");
    EXPECT_EQ(colorToText(0x1FFFFFFF), "clNone");
    EXPECT_EQ(colorToText(0x80000000), "clScrollBar");
    EXPECT_EQ(colorToText(0x80000018), "clInfoBk");
    EXPECT_EQ(colorToText(0x8000001A), "clHotLight");
    EXPECT_EQ(colorToText(0x8000001E), "clMenuBar");
    EXPECT_EQ(colorToText(0x80000019), "$80000019");  // index 25 has no name
    EXPECT_EQ(colorToText(0x0080FF40), "$0080FF40");
    EXPECT_EQ(colorToText(0xFF), "clRed");

    EXPECT_EQ(textToColor("ClBlack"), 0u);
    EXPECT_EQ(textToColor("CLWHITE"), 0xFFFFFFu);
    EXPECT_EQ(textToColor("clbtnface"), 0x8000000Fu);
    EXPECT_EQ(textToColor("$000000FF"), 0xFFu);
    EXPECT_EQ(textToColor("$80000005"), 0x80000005u);
    EXPECT_EQ(textToColor("255"), 0xFFu);
    EXPECT_EQ(textToColor("-1"), 0xFFFFFFFFu);
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
