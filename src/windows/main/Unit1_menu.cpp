// The popup menu `pmenu1` and what its entries do: show and hide, reload, save the
// position, help, update, copy, exit, and the close handler that saves the layout.
#include "config/IniFile.h"
#include "config/SettingKeys.h"
#include "platform/ShellApi.h"
#include "windows/main/Unit1.h"

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
        for (const auto& [key, value] :
             {std::pair{SettingKey::Left, window.left}, {SettingKey::Top, window.top}})
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

// pmenu1's entries, by the names the behaviour knows them by.
struct MenuActions {
    static void Show1Click(TForm1& f) { f.events_.VisibilityChanged(!f.window_.visible); }
    static void ReloadClick(TForm1& f) {
        if (f.owner_) f.owner_->reloadMainWindow();
    }
    static void Settings1Click(TForm1& f) {
        if (f.owner_) f.owner_->showSettings();
    }
    static void About1Click(TForm1& f) {
        if (f.owner_) f.owner_->showAbout();
    }
    static void Update1Click(TForm1& f) {
        f.events_.RemoveTrayIcon();
        f.platform_.ui.messageBox(kUpdateNotice, kAppTitle);
        f.platform_.shell.execute(kUpdater, std::string("/version ") + kVersion, f.platform_.programDir,
                                  kShowHide);
        if (f.owner_) f.owner_->terminate();
    }
    static void SavePosition1Click(TForm1& f) { savePosition(f.platform_, f.window_); }
    static void Help1Click(TForm1& f) {
        // A bare name: found relative to the current directory; a missing file goes unreported.
        f.platform_.shell.execute(kHelpFile, "", "", kShowNormal);
    }
    static void CopyIPaddress1Click(TForm1& f) {
        f.platform_.clipboard.setText(f.controls_.label(kLabelExternalIp).text);
    }
    static void CopyCPUname1Click(TForm1& f) {
        f.platform_.clipboard.setText(f.controls_.label(kLabelCpuName).text);
    }
    static void Exit1Click(TForm1& f) {
        if (f.owner_) f.owner_->closeMainWindow();
    }
    // "Click-through": toggled and saved at once; nothing without the tray icon.
    static void ClickThrough1Click(TForm1& f) {
        if (!f.stored_.settings.trayIcon) return;
        f.window_.clickThrough = !f.window_.clickThrough;
        findMenuItem(f.pmenu1_, "ClickThrough1").checked = f.window_.clickThrough;
        try {
            const SettingKeyRow& row = settingKey(SettingKey::ClickThrough);
            IniFile(f.platform_.files, f.platform_.configPath())
                .writeString(row.section, row.name, f.window_.clickThrough ? "1" : "0");
        } catch (const std::exception&) {
            f.platform_.ui.messageBox(kPositionSaveFailed, kAppTitle);
        }
    }
};

void menuCommand(TForm1& form, int command) {
    static const struct {
        int command;
        void (*run)(TForm1&);
    } kHandlers[] = {
        {kMenuShow, &MenuActions::Show1Click},
        {kMenuReload, &MenuActions::ReloadClick},
        {kMenuSettings, &MenuActions::Settings1Click},
        {kMenuAbout, &MenuActions::About1Click},
        {kMenuUpdate, &MenuActions::Update1Click},
        {kMenuSavePosition, &MenuActions::SavePosition1Click},
        {kMenuHelp, &MenuActions::Help1Click},
        {kMenuCopyIp, &MenuActions::CopyIPaddress1Click},
        {kMenuCopyCpu, &MenuActions::CopyCPUname1Click},
        {kMenuExit, &MenuActions::Exit1Click},
        {kMenuClickThrough, &MenuActions::ClickThrough1Click},
    };
    for (const auto& h : kHandlers)
        if (h.command == command) return h.run(form);
}

void MainEvents::VisibilityChanged(bool visible) {
    f_.window_.visible = visible;
    // The entry always names what it will do next.
    findMenuItem(f_.pmenu1_, "Show1").caption = visible ? kHideCaption : kShowCaption;
}

void TForm1::FormClose() {
    if (stored_.settings.trayIcon) events_.RemoveTrayIcon();
    savePosition(platform_, window_);
    try {
        IniFile ini(platform_.files, platform_.configPath());
        for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
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
