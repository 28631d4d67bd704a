#pragma once
#include <windows.h>

#include "platform/SettingsApi.h"
#include "platform/win32/Library.h"

namespace tabrix::win32 {

// The Settings window's system calls; its dialogs and message boxes are owned by `owner`
// (the Settings window, set once it exists). The common dialogs and COM are rarely used: their
// libraries are loaded at the first use and kept from then on.
class Win32Settings : public SettingsApi {
public:
    void messageBox(const std::string& text, const std::string& caption) override;
    bool chooseFont(std::string& face, int& size) override;
    bool chooseColor(uint32_t& color) override;
    bool openFile(const FileDialog& dialog, std::string& path) override;
    bool saveFile(const FileDialog& dialog, std::string& path) override;
    std::vector<FolderEntry> listFolder(const std::string& folder) override;
    int driveType(const std::string& root) override;
    bool startupFolder(std::string& path) override;
    ShortcutResult writeShortcut(const std::string& linkPath, const std::string& target,
                                 const std::string& workingDir) override;

    HWND owner = nullptr;

private:
    bool fileDialog(const FileDialog& dialog, std::string& path, bool save);
    COLORREF custom_[16]{};
    Library comdlg32_{"comdlg32.dll"};
    Library ole32_{"ole32.dll"};
};

}  // namespace tabrix::win32
