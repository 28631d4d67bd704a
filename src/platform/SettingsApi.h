#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tabrix {

// GetDriveTypeA results.
enum DriveType {
    kDriveUnknown = 0,
    kDriveNoRoot = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdrom = 5,
    kDriveRamdisk = 6,
};

// One entry of a folder listing, as FindFirstFileA/FindNextFileA return it.
struct FolderEntry {
    std::string name;
    bool folder = false;
};

// An open or save dialog: one filter entry, the initial name and folder.
struct FileDialog {
    std::string filterName;     // "Winamp Executable"
    std::string filterPattern;  // "winamp.exe"
    std::string fileName;       // initial file name
    std::string folder;         // initial folder
};

// What a start-up shortcut save came to; `error` holds the system's text on failure.
struct ShortcutResult {
    bool created = false;  // the ShellLink object exists; false: `error` says why
    bool saved = false;
    std::string error;
};

// What the Settings window asks of the system: its own message boxes (owned by it, OK
// button), the common dialogs, the folder and drive reads of its lists, and the Startup
// folder. Files and the program's own path are the platform's.
class SettingsApi : public Ui {
public:
    // ChooseFontA from face and size (points); true with the choice on OK.
    virtual bool chooseFont(std::string& face, int& size) = 0;
    // ChooseColorA from a colour (0x00BBGGRR, or a system colour); true on OK.
    virtual bool chooseColor(uint32_t& color) = 0;
    virtual bool openFile(const FileDialog& dialog, std::string& path) = 0;
    virtual bool saveFile(const FileDialog& dialog, std::string& path) = 0;
    // Every entry of the folder whatever its attributes ("." and ".." included), in the
    // system's order; empty when the folder does not exist.
    virtual std::vector<FolderEntry> listFolder(const std::string& folder) = 0;
    virtual int driveType(const std::string& root) = 0;  // "C:\"
    // The current user's Startup folder; false when the system has none.
    virtual bool startupFolder(std::string& path) = 0;
    // Writes a shell link at linkPath to target, working in workingDir (overwriting).
    virtual ShortcutResult writeShortcut(const std::string& linkPath, const std::string& target,
                                         const std::string& workingDir) = 0;
};

}  // namespace tabrix
