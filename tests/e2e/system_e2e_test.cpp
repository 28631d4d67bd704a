// The real Tabrix.exe on the Windows and the screens it finds: the version Wine is told to
// give this program, and a saved place that no screen shows.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

// Wine's per-program Windows version for Tabrix.exe, removed again at the end.
class WineVersionFor {
public:
    explicit WineVersionFor(const char* version) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr);
        if (key_)
            RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                           static_cast<DWORD>(strlen(version) + 1));
    }
    ~WineVersionFor() {
        if (key_) RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
    bool ok() const { return key_ != nullptr; }

private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\Tabrix.exe";
    HKEY key_ = nullptr;
};

struct Shown {
    std::string label8, xmlName, xmlMajor, about;
};

BOOL CALLBACK findRunningText(HWND w, LPARAM out) {
    const std::string text = windowText(w);
    if (text.rfind("Microsoft Windows ", 0) != 0) return TRUE;
    *reinterpret_cast<std::string*>(out) = text;
    return FALSE;
}

// What the version label (through the PHP report), the XML report and About show.
Shown runAs(const char* wineVersion) {
    WineVersionFor as(wineVersion);
    EXPECT_TRUE(as.ok());
    ProgramFolder folder(nullptr);
    folder.write("config.ini",
                 "[general]\r\nskin=Default\r\noutput=1\r\noutputinterval=300\r\nenablephp=1\r\n"
                 "enablexml=1\r\nsavepath=" +
                     folder.path("stats") + "\r\n");
    Running app(folder);
    Shown s;
    EXPECT_TRUE(app.mainWindow());
    waitFor([&] { return GetFileAttributesA(folder.path("stats.php").c_str()) != INVALID_FILE_ATTRIBUTES; },
            5000);
    if (HWND about = findWindowOf(app.pid(), "TForm2"))
        EnumChildWindows(about, findRunningText, reinterpret_cast<LPARAM>(&s.about));
    EXPECT_TRUE(app.close());
    const std::string xml = readFile(folder.path("stats.xml"));
    const std::string php = readFile(folder.path("stats.php"));
    s.xmlName = element(xml, "windows", "name");
    s.xmlMajor = element(xml, "windows", "version_major");
    const std::string winver = "$winver = \"Windows ";
    const std::size_t at = php.find(winver);
    if (at != std::string::npos)
        s.label8 = php.substr(at + winver.size(), php.find('"', at + winver.size()) - at - winver.size());
    return s;
}

}  // namespace

TEST(SystemVersion, WinesPerProgramVersionReachesTheLabelTheReportsAndAbout) {
    // Wine 8.0 gives its "win7" setting the server product type (and "win2008r2" the
    // workstation one), so this is the server row, service pack and all.
    const Shown seven = runAs("win7");
    EXPECT_EQ(seven.label8, "Windows Server 2008 R2 Service Pack 1");
    EXPECT_EQ(seven.xmlName, "Windows Server 2008 R2 Service Pack 1");
    EXPECT_EQ(seven.xmlMajor, "6");
    EXPECT_EQ(seven.about, "Microsoft Windows Windows Server 2008 R2 Build 7601 Service Pack 1");
    // RtlGetVersion answers 10.0 here; GetVersionExA would too, but only thanks to the manifest.
    const Shown ten = runAs("win10");
    EXPECT_EQ(ten.label8, "10");
    EXPECT_EQ(ten.xmlName, "10");
    EXPECT_EQ(ten.xmlMajor, "10");
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
