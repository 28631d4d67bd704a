// The real Tabrix.exe on the Windows and the screens it finds: the version Wine is told to
// give this program, and a saved place that no screen shows.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

BOOL CALLBACK findRunningText(HWND w, LPARAM out) {
    const std::string text = windowText(w);
    if (text.rfind("Microsoft Windows ", 0) != 0) return TRUE;
    *reinterpret_cast<std::string*>(out) = text;
    return FALSE;
}

// The PHP report (whose $winver is the version label), the XML report and About's text.
struct Shown {
    std::string php, xml, about;
};

// A start with Wine's per-program Windows version set for Tabrix.exe (removed again).
Shown runAs(const char* wineVersion) {
    const char* key = "Software\\Wine\\AppDefaults\\Tabrix.exe";
    HKEY k = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr), 0);
    RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineVersion),
                   static_cast<DWORD>(strlen(wineVersion) + 1));
    RegCloseKey(k);
    ProgramFolder folder(nullptr);
    folder.write("config.ini",
                 "[general]\r\nskin=Default\r\noutput=1\r\noutputinterval=300\r\nenablephp=1\r\n"
                 "enablexml=1\r\nsavepath=" +
                     folder.path("stats") + "\r\n");
    Shown s;
    {
        Running app(folder);
        EXPECT_TRUE(app.mainWindow());
        waitFor([&] { return !readFile(folder.path("stats.php")).empty(); }, 5000);
        PostMessageA(app.mainWindow(), WM_SYSCOMMAND, 0x401, 0);  // About, built when first shown
        if (HWND about = shownWindowOf(app, "TForm2"))
            EnumChildWindows(about, findRunningText, reinterpret_cast<LPARAM>(&s.about));
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
    s.php = readFile(folder.path("stats.php"));
    s.xml = readFile(folder.path("stats.xml"));
    return s;
}

}  // namespace

TEST(SystemVersion, WinesPerProgramVersionReachesTheLabelTheReportsAndAbout) {
    // Wine 8.0 gives its "win7" setting the server product type (and "win2008r2" the
    // workstation one), so this is the server row, service pack and all.
    const Shown seven = runAs("win7");
    EXPECT_NE(seven.php.find("$winver = \"Windows Windows Server 2008 R2 Service Pack 1\";"),
              std::string::npos);
    EXPECT_EQ(element(seven.xml, "windows", "name"), "Windows Server 2008 R2 Service Pack 1");
    EXPECT_EQ(seven.about, "Microsoft Windows Windows Server 2008 R2 Build 7601 Service Pack 1");
    // RtlGetVersion answers 10.0 here; GetVersionExA would too, but only thanks to the manifest.
    const Shown ten = runAs("win10");
    EXPECT_NE(ten.php.find("$winver = \"Windows 10\";"), std::string::npos);
    EXPECT_EQ(element(ten.xml, "windows", "name"), "10");
    EXPECT_EQ(element(ten.xml, "windows", "version_major"), "10");
    EXPECT_EQ(ten.about.rfind("Microsoft Windows 10 Build ", 0), 0u) << ten.about;
}

TEST(SystemScreens, AWindowSavedOffEveryScreenStartsOnItAndClosingSavesThePlace) {
    ProgramFolder folder("[general]\r\nskin=Default\r\n[position]\r\nleft=3000\r\ntop=2000\r\n");
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    RECT r{}, screen{};
    GetWindowRect(w, &r);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    EXPECT_GE(r.left, screen.left);
    EXPECT_GE(r.top, screen.top);
    EXPECT_LE(r.right, screen.right);
    EXPECT_LE(r.bottom, screen.bottom);
    // Moved only as far as it must: into the corner nearest to where it was saved.
    EXPECT_EQ(r.right, screen.right);
    EXPECT_EQ(r.bottom, screen.bottom);
    ASSERT_TRUE(app.close());
    const std::string ini = folder.path("config.ini");
    EXPECT_EQ(static_cast<LONG>(GetPrivateProfileIntA("position", "left", -1, ini.c_str())), r.left);
    EXPECT_EQ(static_cast<LONG>(GetPrivateProfileIntA("position", "top", -1, ini.c_str())), r.top);
}
