#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Codepage.h"

TEST(Win32Codepage, TheSystemAnsiTextBecomesUtf8) {
    tabrix::win32::Win32Codepage cp;
    EXPECT_EQ(cp.ansiToUtf8(""), "");
    EXPECT_EQ(cp.ansiToUtf8("plain <&>\r\n"), "plain <&>\r\n");
    if (GetACP() != 1252) GTEST_SKIP() << "the system code page is " << GetACP() << ", not 1252";
    EXPECT_EQ(cp.ansiToUtf8("Bj\xF6rk \x80"), "Bj\xC3\xB6rk \xE2\x82\xAC");
    EXPECT_EQ(cp.utf8ToAnsi("Temp\xC3\xA9rature \xE2\x82\xAC"), "Temp\xE9rature \x80");
    EXPECT_EQ(cp.prefixBytes("Temp\xE9rature", 5), 5u);
}
