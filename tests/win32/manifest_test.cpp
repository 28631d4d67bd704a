// The program's manifest, which this test program carries too: its common controls are
// version 6, the ones that draw with the system's visual style.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

TEST(Manifest, TheLoadedCommonControlsAreVersionSix) {
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    ASSERT_TRUE(comctl);
    const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(comctl, "DllGetVersion")));
    ASSERT_TRUE(getVersion);
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(getVersion(&info), S_OK);
    EXPECT_EQ(info.dwMajorVersion, 6u) << info.dwMajorVersion << "." << info.dwMinorVersion;
    FreeLibrary(comctl);
}
