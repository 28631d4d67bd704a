// The Settings window's system calls against the real API under Wine.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Settings.h"
#include "settings_helpers.h"

using namespace tabrix;
using namespace tabrix::win32;

namespace {

bool has(const std::vector<FolderEntry>& entries, const std::string& name, bool folder) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const FolderEntry& e) { return e.name == name && e.folder == folder; });
}

}  // namespace

TEST(SettingsPlatform, AFolderListingHasEveryEntryWhateverItsAttributes) {
    settings_test::ScratchDir dir("tabrix_skins");
    const std::string base = dir.path() + "\\";
    for (const char* name : {"blue.bmp", "secret.bmp", ".x.bmp"}) {
        HANDLE h = CreateFileA((base + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    }
    SetFileAttributesA((base + "secret.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA((base + "inner").c_str(), nullptr);
    Win32Settings settings;
    const std::vector<FolderEntry> entries = settings.listFolder(base);
    EXPECT_TRUE(has(entries, "blue.bmp", false));
    EXPECT_TRUE(has(entries, "secret.bmp", false));
    EXPECT_TRUE(has(entries, ".x.bmp", false));
    EXPECT_TRUE(has(entries, "inner", true));
    EXPECT_TRUE(settings.listFolder(base + "missing\\").empty());
    RemoveDirectoryA((base + "inner").c_str());
    SetFileAttributesA((base + "secret.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SettingsPlatform, AShortcutIsWrittenOverAndDeletedOnce) {
    settings_test::ScratchDir dir("tabrix_startup");
    Win32Settings settings;
    std::string startup;
    EXPECT_TRUE(settings.startupFolder(startup));
    EXPECT_FALSE(startup.empty());
    const std::string link = dir.path() + "\\Tabrix.lnk";
    const std::string exe = executablePath();
    for (int i = 0; i < 2; ++i) {
        const ShortcutResult r = settings.writeShortcut(link, exe, dir.path());
        EXPECT_TRUE(r.created);
        EXPECT_TRUE(r.saved) << r.error;
    }
    EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    Win32Files files;
    EXPECT_TRUE(files.remove(link));
    EXPECT_FALSE(files.exists(link));
    const ShortcutResult bad = settings.writeShortcut(dir.path() + "\\missing\\Tabrix.lnk", exe, dir.path());
    EXPECT_TRUE(bad.created);
    EXPECT_FALSE(bad.saved);
    EXPECT_FALSE(bad.error.empty());
}

TEST(SettingsPlatform, DriveTypesAndTheInterfaceTableComeFromTheSystem) {
    Win32Settings settings;
    EXPECT_EQ(settings.driveType("C:\\"), kDriveFixed);
    EXPECT_EQ(settings.driveType("Z:\\"), kDriveFixed);  // Wine's view of the Unix root
    Win32Network network;
    std::vector<InterfaceRow> rows;
    ASSERT_EQ(network.interfaceTable(rows), InterfaceTableResult::Ok);
    EXPECT_FALSE(rows.empty());
}
