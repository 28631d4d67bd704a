// The real Tabrix.exe writing its reports on the report timer.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

bool fileAppears(const std::string& path, int ms) {
    for (int waited = 0; waited <= ms; waited += 100) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        pause(100);
    }
    return false;
}

}  // namespace

TEST(Reports, TheTimerWritesBothReportsAtTheConfiguredStem) {
    ProgramFolder folder(nullptr);
    folder.write("config.ini",
                 "[general]\r\nskin=Default\r\noutput=1\r\noutputinterval=300\r\nenablephp=1\r\n"
                 "enablexml=1\r\nsavepath=" + folder.path("stats") + "\r\n");
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    ASSERT_TRUE(fileAppears(folder.path("stats.xml"), 5000));
    ASSERT_TRUE(fileAppears(folder.path("stats.php"), 1000));
    EXPECT_TRUE(app.close());

    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    const std::string xml = readFile(folder.path("stats.xml"));
    EXPECT_EQ(xml.substr(0, 50), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Tabrix>\r\n");
    EXPECT_NE(xml.find("<version>\r\n0.50\r\n</version>\r\n"), std::string::npos);
    EXPECT_NE(xml.find("<version_major>\r\n" + std::to_string(v.dwMajorVersion) + "\r\n"),
              std::string::npos);
    EXPECT_EQ(xml.substr(xml.size() - 11), "</Tabrix>\r\n");
    const std::string php = readFile(folder.path("stats.php"));
    EXPECT_EQ(php.substr(0, 28), "<?php\r\n//Created By Tabrix\r\n");
    EXPECT_NE(php.find("$tabrix = \"0.50\";\r\n"), std::string::npos);
    EXPECT_NE(php.find("$curplaying = \" \";\r\n"), std::string::npos);
    EXPECT_EQ(php.substr(php.size() - 4), "?>\r\n");
}
