#include <gtest/gtest.h>

#include "config/IniFile.h"
#include "platform/Error.h"
#include "platform/fake/FakeFiles.h"
#include "windows/notice/frmError.h"

using namespace tabrix;

namespace {

const std::string kDir = "C:\\Tabrix\\";
const std::string kConfig = kDir + "config.ini";

struct NoticeTest : ::testing::Test {
    FakeFiles files;
    TForm4 form{files, kDir};
    std::string lastError() { return IniFile(files, kConfig).readString("general", "lasterror", "(none)"); }
};

}  // namespace

TEST_F(NoticeTest, TheBalloonSitsAboveTheMainWindowWithoutClamping) {
    EXPECT_TRUE(form.ShowErrorDialog("Cannot output XML", 20, 50));
    EXPECT_EQ(form.top, -67);
    EXPECT_EQ(form.left, 20);
    EXPECT_TRUE(form.visible);
    EXPECT_EQ(form.Label1.text, "Cannot output XML");

    // A second message while shown replaces the text and follows the main window.
    form.ShowErrorDialog("There was a problem starting Tabrix", 688, 168);
    EXPECT_EQ(form.left, 688);
    EXPECT_EQ(form.top, 51);
    EXPECT_EQ(form.Label1.text, "There was a problem starting Tabrix");
    EXPECT_TRUE(form.visible);

    form.ShowErrorDialog("x", -300, -5000);
    EXPECT_EQ(form.left, -300);
    EXPECT_EQ(form.top, -5117);
}

TEST_F(NoticeTest, EveryCloseRecordsTheTextAndHides) {
    // Before any error the tick already records the design text.
    form.Timer1Timer();
    EXPECT_EQ(lastError(), "An Error Occured.");
    EXPECT_FALSE(form.visible);

    form.ShowErrorDialog("Unable to retrieve IP", 0, 200);
    form.Label1Click();
    EXPECT_FALSE(form.visible);
    EXPECT_EQ(lastError(), "Unable to retrieve IP");

    form.ShowErrorDialog("Cannot output PHP", 0, 200);
    form.Image1Click();
    EXPECT_EQ(lastError(), "Cannot output PHP");
    EXPECT_FALSE(form.visible);
}

TEST_F(NoticeTest, IdleTicksLeaveTheFileAlone) {
    files.put(kConfig, "[general]\r\nsavepath=c:\\info.txt\r\n");
    form.Timer1Timer();
    EXPECT_EQ(files.writeCount(kConfig), 1);
    EXPECT_EQ(files.content(kConfig),
              "[general]\r\nsavepath=c:\\info.txt\r\nlasterror=An Error Occured.\r\n");
    for (int i = 0; i < 5; ++i) form.Timer1Timer();
    EXPECT_EQ(files.writeCount(kConfig), 1);
    form.ShowErrorDialog("Cannot output XML", 0, 200);
    form.Timer1Timer();
    form.Timer1Timer();
    EXPECT_EQ(files.writeCount(kConfig), 2);
}

TEST_F(NoticeTest, AFailedRecordGoesToTheCallerAndLeavesTheNoticeUp) {
    files.put(kConfig, "[general]\r\n");
    files.setReadOnly(kConfig);
    form.ShowErrorDialog("Cannot output XML", 0, 200);
    try {
        form.Timer1Timer();
        FAIL() << "the write failure was swallowed";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + kConfig);
    }
    EXPECT_TRUE(form.visible);
}

TEST_F(NoticeTest, ClicksOnTheTextOrTheBalloonCloseButNotOnTheWarningSign) {
    EXPECT_EQ(form.partAt(56, 15), TForm4::Part::Label1);
    EXPECT_EQ(form.partAt(235, 72), TForm4::Part::Label1);
    EXPECT_EQ(form.partAt(236, 72), TForm4::Part::Image1);
    EXPECT_EQ(form.partAt(16, 16), TForm4::Part::Image2);
    EXPECT_EQ(form.partAt(39, 39), TForm4::Part::Image2);
    EXPECT_EQ(form.partAt(40, 40), TForm4::Part::Image1);
    EXPECT_EQ(form.partAt(249, 105), TForm4::Part::Image1);
    EXPECT_EQ(form.partAt(250, 0), TForm4::Part::None);

    form.ShowErrorDialog("Cannot output XML", 0, 200);
    form.click(TForm4::Part::Image2);
    EXPECT_TRUE(form.visible);
    EXPECT_FALSE(files.exists(kConfig));
    form.click(TForm4::Part::Image1);
    EXPECT_FALSE(form.visible);
    EXPECT_EQ(lastError(), "Cannot output XML");
}
