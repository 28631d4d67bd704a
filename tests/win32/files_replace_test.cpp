// How the real file layer replaces config.ini, drives.inf and the reports: through a
// temporary file no user owns, removed on every failure, and written in place where the
// folder refuses new names but the file itself may be written.
#include <gtest/gtest.h>

#include <set>

#include "config/DrivesFile.h"
#include "config/IniFile.h"
#include "platform/Error.h"
#include "settings_helpers.h"

using settings_test::ScratchDir;
using settings_test::slurp;
using settings_test::spit;

namespace {

std::set<std::string> namesIn(const std::string& dir) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

// The Linux path of a Windows path, through Wine's own export; empty elsewhere.
std::string unixPath(const std::string& path) {
    using Fn = char*(CDECL*)(const WCHAR*);
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn) return std::string();
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return std::string();
    char* unix = fn(wide);
    if (!unix) return std::string();
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// Starts a Linux program; Wine gives no handle to wait on, so callers look for its effect.
bool startUnix(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// A folder in which no name may be made, renamed or removed while the files already in
// it stay writable (the Linux immutable mark on the folder): what a web folder with
// file-level rights gives a program.
class LockedFolder {
public:
    explicit LockedFolder(const std::string& dir) : dir_(dir), unix_(unixPath(dir)) {
        if (unix_.empty())
            why_ = "no Linux path for " + dir;
        else if (!startUnix("/usr/bin/chattr +i \"" + unix_ + "\""))
            why_ = "chattr did not start for " + unix_;
        else if (!waitUntil([&] { return !canCreate(dir); }))
            why_ = "a file could still be made in " + unix_;
        else
            locked_ = true;
    }
    const std::string& why() const { return why_; }
    ~LockedFolder() {
        if (!locked_) return;
        startUnix("/usr/bin/chattr -i \"" + unix_ + "\"");
        waitUntil([&] { return canCreate(dir_); });
    }
    bool locked() const { return locked_; }
    // The names in the folder apart from a probe the lock caught between its making and
    // its removal (it goes when the folder is unlocked).
    std::set<std::string> names() const {
        std::set<std::string> all = namesIn(dir_);
        all.erase(kProbe);
        return all;
    }

private:
    static constexpr char kProbe[] = "probe";
    static bool canCreate(const std::string& dir) {
        const std::string probe = dir + "\\" + kProbe;
        DeleteFileA(probe.c_str());  // one left by a lock that landed mid-probe
        HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        CloseHandle(h);
        return DeleteFileA(probe.c_str()) != 0;
    }
    template <typename F>
    static bool waitUntil(F done) {
        for (int waited = 0; waited < 10000; waited += 50) {
            if (done()) return true;
            Sleep(50);
        }
        return false;
    }
    std::string dir_;
    std::string unix_;
    std::string why_;
    bool locked_ = false;
};

}  // namespace

TEST(FileReplace, AUserFileNamedLikeATemporaryOneIsNeverTouched) {
    ScratchDir dir("tabrix_replace_names");
    tabrix::Win32Files files;
    const std::string stem = dir.path() + "\\stats";
    spit(stem + ".xml.tmp", "the user's own");
    spit(stem + ".php.tmp", "also the user's");
    spit(dir.path() + "\\config.ini.tmp", "and this");
    ASSERT_TRUE(files.replaceUnflushed(stem + ".xml", "<Tabrix/>\r\n"));
    ASSERT_TRUE(files.replaceUnflushed(stem + ".php", "<?php ?>\r\n"));
    ASSERT_TRUE(files.writeAtomic(dir.path() + "\\config.ini", "[general]\r\n"));
    ASSERT_TRUE(files.writeAtomic(dir.path() + "\\config.ini", "[general]\r\nx=1\r\n"));
    EXPECT_EQ(slurp(stem + ".xml.tmp"), "the user's own");
    EXPECT_EQ(slurp(stem + ".php.tmp"), "also the user's");
    EXPECT_EQ(slurp(dir.path() + "\\config.ini.tmp"), "and this");
    EXPECT_EQ(slurp(stem + ".xml"), "<Tabrix/>\r\n");
    EXPECT_EQ(slurp(dir.path() + "\\config.ini"), "[general]\r\nx=1\r\n");
    // Nothing else is left in the folder.
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"config.ini", "config.ini.tmp", "stats.php",
                                                          "stats.php.tmp", "stats.xml", "stats.xml.tmp"}));
}

TEST(FileReplace, AFailedReplaceLeavesNoTemporaryFileBehind) {
    ScratchDir dir("tabrix_replace_fail");
    tabrix::Win32Files files;
    // A folder where the file should be: the temporary file is made and written, the
    // rename and the in-place write both fail.
    const std::string taken = dir.path() + "\\stats.xml";
    ASSERT_TRUE(CreateDirectoryA(taken.c_str(), nullptr));
    EXPECT_FALSE(files.replaceUnflushed(taken, "<Tabrix/>\r\n"));
    EXPECT_FALSE(files.writeAtomic(taken, "<Tabrix/>\r\n"));
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"stats.xml"});
    RemoveDirectoryA(taken.c_str());
    // A folder that does not exist: nothing is made anywhere.
    EXPECT_FALSE(files.writeAtomic(dir.path() + "\\none\\stats.xml", "x"));
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

// Settings' Save deletes a config.ini it made when drives.inf is refused.
TEST(FileReplace, RemoveDeletesAFileTakesAMissingOneAsGoneAndReportsARefusal) {
    ScratchDir dir("tabrix_remove");
    tabrix::Win32Files files;
    const std::string config = dir.path() + "\\config.ini";
    ASSERT_TRUE(files.writeAtomic(config, "[general]\r\n"));
    EXPECT_TRUE(files.remove(config));
    EXPECT_FALSE(files.exists(config));
    EXPECT_TRUE(files.remove(config));
    EXPECT_TRUE(files.remove(dir.path() + "\\none\\config.ini"));
    // A read-only file and a folder of the same name stay, and the refusal is told.
    spit(config, "kept");
    SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files.remove(config));
    EXPECT_EQ(slurp(config), "kept");
    SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::string folder = dir.path() + "\\drives.inf";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_FALSE(files.remove(folder));
    EXPECT_TRUE(files.exists(folder));
    RemoveDirectoryA(folder.c_str());
}

TEST(FileReplace, AFolderThatRefusesNewNamesGetsItsFilesWrittenInPlace) {
    ScratchDir dir("tabrix_replace_locked");
    tabrix::Win32Files files;
    const std::string ini = dir.path() + "\\config.ini", drives = dir.path() + "\\drives.inf";
    const std::string xml = dir.path() + "\\stats.xml", readOnly = dir.path() + "\\stats.php";
    spit(ini, "[general]\r\nskin=Graphite.bmp\r\n");
    spit(drives, "3\r\n");
    spit(xml, std::string(5000, 'o'));
    spit(readOnly, "old");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        LockedFolder lock(dir.path());
        if (!lock.locked())
            GTEST_SKIP() << "the folder could not be locked (chattr needs root): " << lock.why();

        // Shorter and longer than before: the file holds exactly the new bytes.
        EXPECT_TRUE(files.replaceUnflushed(xml, "<Tabrix/>\r\n"));
        EXPECT_EQ(slurp(xml), "<Tabrix/>\r\n");
        EXPECT_TRUE(files.writeAtomic(xml, std::string(9000, 'n')));
        EXPECT_TRUE(slurp(xml) == std::string(9000, 'n'));

        tabrix::IniFile settings(files, ini);
        settings.writeString("general", "skin", "Ocean.bmp");
        settings.writeInteger("position", "left", 40);
        EXPECT_EQ(slurp(ini), "[general]\r\nskin=Ocean.bmp\r\n[position]\r\nleft=40\r\n");
        tabrix::writeDrivesFile(files, drives, {3, 4});
        EXPECT_EQ(slurp(drives), "3\r\n4\r\n");

        // A file that is not there cannot be made, and a read-only one stays as it was.
        EXPECT_FALSE(files.writeAtomic(dir.path() + "\\new.xml", "x"));
        EXPECT_FALSE(files.replaceUnflushed(readOnly, "new"));
        EXPECT_EQ(slurp(readOnly), "old");
        EXPECT_EQ(lock.names(),
                  (std::set<std::string>{"config.ini", "drives.inf", "stats.php", "stats.xml"}));
    }
}
