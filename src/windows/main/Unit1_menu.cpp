// The popup menu `pmenu1` and what its entries do: show and hide, reload, save the
// position, help, update, copy, exit, and the close handler that saves the layout.
#include "windows/main/Unit1.h"
#include "platform/ShellApi.h"
#include "config/IniFile.h"
#include "config/SettingKeys.h"

#include <stdexcept>
#include <utility>

namespace tabrix {
namespace {

constexpr char kPositionSaveFailed[] = "Cannot Save settings!";
constexpr char kLayoutSaveFailed[] = "Cannot save settings!";
constexpr char kUpdateNotice[] = "Tabrix will now shut down for the update process";
constexpr char kUpdater[] = "update.exe";
// The help file beside the program.
constexpr char kHelpFile[] = "tabrix.chm";
constexpr char kShowCaption[] = "Show";
constexpr char kHideCaption[] = "Hide";

MenuItem entry(const char* name, const char* caption, int command, int icon, bool visible = true) {
    MenuItem m;
    m.name = name;
    m.caption = caption;
    m.command = command;
    m.icon = icon;
    m.visible = visible;
    return m;
}

MenuItem separator() {
    return entry("-", "-", 0, 0);
}

MenuItem* findItem(std::vector<MenuItem>& items, const std::string& name) {
    for (MenuItem& m : items) {
        if (m.name == name) return &m;
        if (MenuItem* inner = findItem(m.items, name)) return inner;
    }
    return nullptr;
}

void savePosition(const Platform& platform, const MainWindowState& window) {
    try {
        IniFile ini(platform.files, platform.configPath());
        for (const auto& [key, value] : {std::pair{SettingKey::Left, window.left}, {SettingKey::Top, window.top}})
            ini.writeInteger(settingKey(key).section, settingKey(key).name, value);
    } catch (const std::exception&) {
        platform.ui.messageBox(kPositionSaveFailed, kAppTitle);
    }
}

}  // namespace

std::vector<MenuItem> designMenu() {
    MenuItem misc = entry("Misc1", "Misc", 0, kIconMisc);
    misc.items = {entry("CopyIPaddress1", "Copy IP address", kMenuCopyIp, kIconCopyIp),
                  entry("CopyCPUname1", "Copy CPU name", kMenuCopyCpu, kIconCopyCpu)};
    return {entry("Show1", kHideCaption, kMenuShow, kIconShowHide),
            separator(),
            entry("Reload", "Reload", kMenuReload, kIconReload),
            entry("Settings1", "Settings", kMenuSettings, kIconSettings),
            entry("About1", "About", kMenuAbout, kIconAbout),
            entry("Update1", "Update", kMenuUpdate, kIconUpdate, false),
            entry("SavePosition1", "Save Position", kMenuSavePosition, kIconSavePosition),
            entry("Help1", "Help", kMenuHelp, kIconHelp),
            misc,
            entry("ClickThrough1", "Click-through", kMenuClickThrough, 0),
            entry("Plugins1", "Plugins", 0, 0, false),
            entry("SystemInfo1", "System Info", 0, 0, false),
            separator(),
            entry("Exit1", "Exit", kMenuExit, kIconExit)};
}

MenuItem& findMenuItem(std::vector<MenuItem>& menu, const std::string& name) {
    MenuItem* m = findItem(menu, name);
    if (!m) throw std::out_of_range("no menu entry " + name);
    return *m;
}

const MenuItem& findMenuItem(const std::vector<MenuItem>& menu, const std::string& name) {
    return findMenuItem(const_cast<std::vector<MenuItem>&>(menu), name);
}

void menuCommand(TForm1& form, int command) {
    static const FormHandler kHandlers[] = {
        {kMenuShow, &TForm1::Show1Click},           {kMenuReload, &TForm1::ReloadClick},
        {kMenuSettings, &TForm1::Settings1Click},   {kMenuAbout, &TForm1::About1Click},
        {kMenuUpdate, &TForm1::Update1Click},       {kMenuSavePosition, &TForm1::SavePosition1Click},
        {kMenuHelp, &TForm1::Help1Click},           {kMenuCopyIp, &TForm1::CopyIPaddress1Click},
        {kMenuCopyCpu, &TForm1::CopyCPUname1Click}, {kMenuExit, &TForm1::Exit1Click},
        {kMenuClickThrough, &TForm1::ClickThrough1Click},
    };
    runHandler(form, kHandlers, command);
}

void TForm1::Show1Click() {
    VisibilityChanged(!window_.visible);
}

void TForm1::VisibilityChanged(bool visible) {
    window_.visible = visible;
    // The entry always names what it will do next.
    findMenuItem(pmenu1_, "Show1").caption = visible ? kHideCaption : kShowCaption;
}

void TForm1::ReloadClick() {
    if (owner_) owner_->reloadMainWindow();
}

void TForm1::Settings1Click() {
    if (owner_) owner_->showSettings();
}

void TForm1::About1Click() {
    if (owner_) owner_->showAbout();
}

void TForm1::ClickThrough1Click() {
    if (!stored_.settings.trayIcon) return;
    window_.clickThrough = !window_.clickThrough;
    findMenuItem(pmenu1_, "ClickThrough1").checked = window_.clickThrough;
    try {
        const SettingKeyRow& row = settingKey(SettingKey::ClickThrough);
        IniFile(platform_.files, platform_.configPath())
            .writeString(row.section, row.name, window_.clickThrough ? "1" : "0");
    } catch (const std::exception&) {
        platform_.ui.messageBox(kPositionSaveFailed, kAppTitle);
    }
}

void TForm1::Help1Click() {
    // A bare name: found relative to the current directory; a missing file goes unreported.
    platform_.shell.execute(kHelpFile, "", "", kShowNormal);
}

void TForm1::Update1Click() {
    RemoveTrayIcon();
    platform_.ui.messageBox(kUpdateNotice, kAppTitle);
    platform_.shell.execute(kUpdater, std::string("/version ") + kVersion, platform_.programDir, kShowHide);
    if (owner_) owner_->terminate();
}

void TForm1::CopyIPaddress1Click() {
    platform_.clipboard.setText(controls_.label(kLabelExternalIp).text);
}

void TForm1::CopyCPUname1Click() {
    platform_.clipboard.setText(controls_.label(kLabelCpuName).text);
}

void TForm1::Exit1Click() {
    if (owner_) owner_->closeMainWindow();
}

void TForm1::SavePosition1Click() {
    savePosition(platform_, window_);
}

void TForm1::FormClose() {
    if (stored_.settings.trayIcon) RemoveTrayIcon();
    savePosition(platform_, window_);
    try {
        IniFile ini(platform_.files, platform_.configPath());
        for (int n = kFirstLabel; n <= kLastLabel; ++n) {
            // The exact component name, so label34's keys start with a small l.
            const Label& l = controls_.label(n);
            // In design units, so the layout reads the same at another scale.
            writePlace(ini, l.name, scale_.toDesign(l.left), scale_.toDesign(l.top));
        }
        // Once, not once per label: each write reads the whole file again.
        const SettingKeyRow& width = settingKey(SettingKey::FormWidth);
        const SettingKeyRow& height = settingKey(SettingKey::FormHeight);
        ini.writeInteger(width.section, width.name, scale_.toDesign(window_.width));
        ini.writeInteger(height.section, height.name, scale_.toDesign(window_.height));
        graphs_.savePositions(ini);
    } catch (const std::exception&) {
        platform_.ui.messageBox(kLayoutSaveFailed, kAppTitle);
    }
}

}  // namespace tabrix
