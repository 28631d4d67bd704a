// Where config.ini and drives.inf live: beside the program when the user can write there,
// otherwise in the user's own application-data folder, seeded from the installed files.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/SettingsFolder.h"
#include "platform/fake/FakeFiles.h"
#include "platform/fake/FakePlatform.h"

using namespace tabrix;

namespace {

const std::string kProgram = "C:\\Program Files\\Tabrix\\";
const std::string kAppData = "C:\\Documents and Settings\\ann\\Application Data";
const std::string kPerUser = "C:\\Documents and Settings\\ann\\Application Data\\Tabrix\\";

SettingsFolderFacts facts(bool writable, const std::string& appData, bool perUserExists) {
    SettingsFolderFacts f;
    f.programDir = kProgram;
    f.programDirWritable = writable;
    f.appDataDir = appData;
    f.perUserDirExists = perUserExists;
    return f;
}

TEST(SettingsFolder, AWritableProgramFolderKeepsTheSettingsBesideTheProgram) {
    // Even when this user also has per-user settings from an installed copy: a portable
    // copy keeps its own.
    for (bool perUserExists : {false, true}) {
        const SettingsFolderChoice choice = chooseSettingsFolder(facts(true, kAppData, perUserExists));
        EXPECT_EQ(choice.dir, kProgram);
        EXPECT_FALSE(choice.createDir);
        EXPECT_FALSE(choice.seed);
    }
}

TEST(SettingsFolder, AReadOnlyProgramFolderUsesThePerUserFolder) {
    SettingsFolderChoice choice = chooseSettingsFolder(facts(false, kAppData, true));
    EXPECT_EQ(choice.dir, kPerUser);
    EXPECT_FALSE(choice.createDir);
    EXPECT_TRUE(choice.seed);

    // The system's folder name may come with its backslash.
    choice = chooseSettingsFolder(facts(false, kAppData + "\\", true));
    EXPECT_EQ(choice.dir, kPerUser);
}

TEST(SettingsFolder, AMissingPerUserFolderIsMadeAndSeeded) {
    const SettingsFolderChoice choice = chooseSettingsFolder(facts(false, kAppData, false));
    EXPECT_EQ(choice.dir, kPerUser);
    EXPECT_TRUE(choice.createDir);
    EXPECT_TRUE(choice.seed);
}

TEST(SettingsFolder, NoApplicationDataFolderLeavesTheProgramFolder) {
    // Writes there then fail with their own messages, as they always did.
    const SettingsFolderChoice choice = chooseSettingsFolder(facts(false, "", false));
    EXPECT_EQ(choice.dir, kProgram);
    EXPECT_FALSE(choice.createDir);
    EXPECT_FALSE(choice.seed);
}

TEST(SettingsFolder, SeedingCopiesTheInstalledFilesOnlyWhereTheUserHasNone) {
    FakeFiles files;
    files.put(kProgram + "config.ini", "[general]\r\nskin=Default\r\n");
    files.put(kProgram + "drives.inf", "3\r\n");
    seedSettingsFiles(files, kProgram, kPerUser);
    EXPECT_EQ(files.content(kPerUser + "config.ini"), "[general]\r\nskin=Default\r\n");
    EXPECT_EQ(files.content(kPerUser + "drives.inf"), "3\r\n");

    // A later start: the user's own settings stay, a drives.inf they deleted comes back.
    files.put(kPerUser + "config.ini", "[general]\r\nskin=Graphite.bmp\r\n");
    files.remove(kPerUser + "drives.inf");
    seedSettingsFiles(files, kProgram, kPerUser);
    EXPECT_EQ(files.content(kPerUser + "config.ini"), "[general]\r\nskin=Graphite.bmp\r\n");
    EXPECT_EQ(files.content(kPerUser + "drives.inf"), "3\r\n");
    EXPECT_EQ(files.writeCount(kPerUser + "config.ini"), 1);
}

TEST(SettingsFolder, SeedingWithoutInstalledFilesWritesNothing) {
    FakeFiles files;
    seedSettingsFiles(files, kProgram, kPerUser);
    EXPECT_FALSE(files.exists(kPerUser + "config.ini"));
    EXPECT_FALSE(files.exists(kPerUser + "drives.inf"));
    // The same folder twice is never copied onto itself.
    files.put(kProgram + "config.ini", "x");
    seedSettingsFiles(files, kProgram, kProgram);
    EXPECT_EQ(files.writeCount(kProgram + "config.ini"), 0);
}

TEST(SettingsFolder, PlatformFindsTheSettingsFilesInTheSettingsFolderAndTheRestBesideTheProgram) {
    FakePlatform fake;
    Platform& p = fake.platform;
    p.programDir = kProgram;
    EXPECT_EQ(p.configPath(), kProgram + "config.ini");
    EXPECT_EQ(p.path("drives.inf"), kProgram + "drives.inf");

    p.settingsDir = kPerUser;
    EXPECT_EQ(p.configPath(), kPerUser + "config.ini");
    EXPECT_EQ(p.drivesPath(), kPerUser + "drives.inf");
    EXPECT_EQ(p.path("config.ini"), kPerUser + "config.ini");
    EXPECT_EQ(p.path("drives.inf"), kPerUser + "drives.inf");
    EXPECT_EQ(p.path("skins\\transparent.bmp"), kProgram + "skins\\transparent.bmp");
}

}  // namespace
