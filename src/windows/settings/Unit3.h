#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "platform/Pixels.h"
#include "platform/Platform.h"
#include "windows/settings/SettingsLayout.h"

namespace tabrix {

class IniFile;
struct SettingKeyRow;

// What the Settings window asks of the program around it: the live previews on the main
// window and the main window's replacement.
class SettingsWindowOwner {
public:
    virtual ~SettingsWindowOwner() = default;
    // Opacity 0 to 255 on the main window: blending on, the value, off again at 255.
    virtual void previewOpacity(int position) = 0;
    // A new background picture for the main window; null empties it.
    virtual void previewSkin(const Pixels* skin) = 0;
    // The same path as Reload: the main window is rebuilt from config.ini.
    virtual void replaceMainWindow() = 0;
};

constexpr char kSettingsClass[] = "TForm3";
constexpr char kSettingsCaption[] = "Settings";
constexpr int kSettingsClientWidth = 547;
constexpr int kSettingsClientHeight = 391;
constexpr int kSettingsLeft = 421;
constexpr int kSettingsTop = 171;
constexpr int kDriveCount = 26;
constexpr char kShortcutName[] = "Tabrix.lnk";
// The plain-text address service the IP lookup asks by default.
constexpr char kDefaultIpServer[] = "http://api.ipify.org/";

// What the Settings window holds of config.ini (Unit3_draft.cpp): the controls are read from
// the file by its key table, checked, and turned back into the file's text on Save, which
// writes config.ini and drives.inf all or nothing. The font's and the slider's choices are
// held here as values.
class SettingsDraft {
public:
    SettingsDraft(Platform& platform, SettingsLayout& layout) : platform_(platform), layout_(layout) {}

    std::string fontFace = "Tahoma";
    int fontSize = 8;
    uint32_t fontColor = 0;
    // The slider as of its last change; none while it never moved (by the build or the user),
    // and then Save leaves alpha as the file has it.
    std::optional<int> chosenOpacity;

    // What the build sets through the controls' change operations, once the rest is read.
    struct Moved {
        int opacity = 255;
        int interfaceNumber = 0;
        std::string interfaceText;
    };
    // Every key into its control; a bad fontcolor throws, and what comes after it is not read.
    Moved read();
    // The IP interval's one check; a short one is corrected after a message.
    std::string checkedIpInterval();
    // Both files; throws when they could not be written (and are as they were, or the text says).
    void save(const std::string& ipInterval);

private:
    void readKey(const IniFile& ini, const SettingKeyRow& row, Moved& moved);
    std::string keyText(const SettingKeyRow& row, const std::string& ipInterval) const;
    std::string configBytes(const std::string& ipInterval) const;
    void saveDrives();
    bool putConfigBack(bool existed, const std::string& old);

    Platform& platform_;
    SettingsLayout& layout_;
};

// The Settings window's pickers (Unit3_pickers.cpp): skin list, drive list, font, colour,
// paths, the temperature guard and the start-up shortcut.
class SettingsPickers {
public:
    SettingsPickers(Platform& platform, SettingsLayout& layout, SettingsDraft& draft)
        : platform_(platform), layout_(layout), draft_(draft) {}

    void fillSkins();
    void fillDrives();
    void ComboBox2KeyPress();
    void Button2Click();  // Ins
    void Button4Click();  // Del
    void Button5Click();  // font
    void Button6Click();  // player path
    void Button7Click();  // colour
    void Button8Click();  // output path
    void Button9Click();  // metrics file

private:
    void searchSkins(const std::string& folder);

    Platform& platform_;
    SettingsLayout& layout_;
    SettingsDraft& draft_;
};

// The Settings window: built once from config.ini, shown and hidden; it wires the events the
// view reports to the controls' links, the previews, the pickers and the draft's Save
// (Unit3.cpp build and links, Unit3_save.cpp previews, Save and Close, Unit3_help.cpp).
class TForm3 {
    // First: the parts below are made with them.
    Platform& platform_;
    SettingsWindowOwner& owner_;

public:
    enum Page { kGeneralPage = 0, kAdvancedPage = 1, kModulesPage = 2 };

    TForm3(Platform& platform, SettingsWindowOwner& owner);

    // The build: fills every control from config.ini and drives.inf. An error it lets out
    // (a bad fontcolor) leaves the later steps undone.
    void FormCreate();
    // The main window's Settings command.
    void Show();

    // Events, as the view reports them after the user acted on a control.
    void FormKeyDown(int key);                  // every key, before the control sees it
    void pointerOver(const std::string& name);  // the control or surface under the pointer
    void PageControl1Change(int page);
    void Clicked(Control& control);                               // a button, or a check box (toggles it)
    void TextChanged(Control& control, const std::string& text);  // edits, ComboBox1, ComboBox2
    void TrackBar1Moved(int position);
    void ScrollBar1Moved(int position);
    void ListBox1Selected(const std::vector<bool>& selected);
    void Button1Click();  // Save
    void Button3Click();  // Close

    // Beside "MBM Temps": where the sensor pairs come from now.
    void showSensorSource(const std::string& text) { control<Label>("Label32").text = text; }
    void showPlayer(const std::string& text) { control<Label>("Label33").text = text; }

    // A control by its component name, as its kind.
    template <typename C>
    C& control(const std::string& name) const {
        return layout.get<C>(name);
    }

    bool visible = false;
    std::string caption = kSettingsCaption;
    int left = kSettingsLeft;
    int top = kSettingsTop;
    bool previewed = false;       // a live preview has changed the main window since the build
    bool interfaceRange = false;  // set by the build, cleared by the first interface query

    SettingsLayout layout;
    SettingsDraft draft{platform_, layout};
    SettingsPickers pickers{platform_, layout, draft};

private:
    // Setting these runs the control's change operation when the value changes.
    void setTrackBarPosition(int position);
    void setScrollBarPosition(int position);
    void setEdit7Text(const std::string& text);
    void TrackBar1Change();
    void ComboBox1Change();
    void ScrollBar1Change();
    void Edit7Change();
    // The Modules page shown, or another interface chosen: its description beside the number.
    void interfaceQuery();
    // What the check boxes switch on and off follows them (CheckBox2, CheckBox7, CheckBox28).
    void checkBoxLinks();

    std::string hovered_;  // the control the help line last followed
};

}  // namespace tabrix
