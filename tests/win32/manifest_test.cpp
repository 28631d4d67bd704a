// The program's manifest, which this test program carries too: its common controls are
// version 6, the ones that draw with the system's visual style.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

TEST(Manifest, TheLoadedCommonControlsAreTheVersionSixAssembly) {
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    ASSERT_TRUE(comctl);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(comctl, path, sizeof path);
    std::string file = path;
    std::transform(file.begin(), file.end(), file.begin(), [](unsigned char c) { return std::tolower(c); });
    // Loaded from the side-by-side store, not from system32: the manifest's dependency.
    EXPECT_NE(file.find("common-controls_6595b64144ccf1df_6.0."), std::string::npos) << file;

    const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(comctl, "DllGetVersion")));
    ASSERT_TRUE(getVersion);
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(getVersion(&info), S_OK);
    // Wine's one comctl32 answers 5.81 whichever way it was loaded; Windows' own answers 6.
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    if (!wine) {
        EXPECT_EQ(info.dwMajorVersion, 6u);
    }
    std::printf("comctl32 %s answers %lu.%lu\n", path, info.dwMajorVersion, info.dwMinorVersion);
    FreeLibrary(comctl);
}
