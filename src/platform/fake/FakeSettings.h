#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/SettingsApi.h"
#include "platform/fake/FakeFiles.h"

namespace tabrix {

// The Settings window's system for host tests: folders listed as scripted, drive types by
// root, dialogs answering what the test set, message boxes and dialogs recorded, and the
// Startup folder's shortcut kept as a file among the fake files.
class FakeSettings : public SettingsApi {
public:
    explicit FakeSettings(FakeFiles& files) : files_(files) {}

    struct Box {
        std::string text;
        std::string caption;
    };
    void messageBox(const std::string& text, const std::string& caption) override {
        boxes.push_back({text, caption});
    }
    bool chooseFont(std::string& face, int& size) override;
    bool chooseColor(uint32_t& color) override;
    bool openFile(const FileDialog& dialog, std::string& path) override;
    bool saveFile(const FileDialog& dialog, std::string& path) override;
    std::vector<FolderEntry> listFolder(const std::string& folder) override;
    int driveType(const std::string& root) override;
    bool startupFolder(std::string& path) override;
    ShortcutResult writeShortcut(const std::string& linkPath, const std::string& target,
                                 const std::string& workingDir) override;

    std::vector<Box> boxes;
    std::map<std::string, std::vector<FolderEntry>> folders;  // folder path with its "\"
    std::map<std::string, int> drives;                        // "C:\" -> type; others unknown
    // Dialog answers: confirmed with these values, or cancelled.
    bool confirm = true;
    std::string fontFace = "Verdana";
    int fontSize = 10;
    uint32_t color = 0x0080FF40;
    std::string chosenPath = "C:\\chosen\\file";
    std::vector<FileDialog> openDialogs, saveDialogs;
    std::vector<std::pair<std::string, int>> fontDialogs;  // started from face and size
    std::vector<uint32_t> colorDialogs;
    std::string startup = "C:\\Users\\me\\Start Menu\\Programs\\Startup";
    bool noStartup = false;
    bool failCreate = false;  // the ShellLink object cannot be made
    bool failSave = false;    // the link cannot be written
    struct Link {
        std::string path, target, workingDir;
    };
    std::vector<Link> links;

private:
    FakeFiles& files_;
};

}  // namespace tabrix
