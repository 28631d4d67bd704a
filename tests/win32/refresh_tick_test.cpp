// One refresh tick of the main window's behaviour against the real system under Wine:
// the labels the reports do not carry.
#include <gtest/gtest.h>
#include <windows.h>

#include <regex>

#include "../test_support.h"
#include "real_platform.h"
#include "windows/main/Unit1.h"

namespace tabrix {
namespace {

TEST(RefreshWin32, ATickWritesTheUserAndTheDisplayOfThisMachine) {
    test::RealPlatform real("C:\\nowhere\\");
    StoredValues stored;
    test::RecordingErrors errors;
    TForm1 form(real.platform, stored, errors);
    form.systimerTimer();
    EXPECT_TRUE(errors.shown.empty()) << errors.shown.front();

    char name[256] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetUserNameA(name, &size));
    EXPECT_EQ(name, form.look().label(23).text);
    const std::string display =
        std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(std::regex_match(form.look().label(18).text, std::regex("[0-9]+Hz @ " + display)))
        << form.look().label(18).text;
    EXPECT_TRUE(std::regex_match(form.look().label(12).text, std::regex("[0-9]{1,3}%")))
        << form.look().label(12).text;
}

}  // namespace
}  // namespace tabrix
