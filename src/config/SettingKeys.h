#pragma once
#include <string>

// config.ini's keys, one row each: the Settings window reads and saves them from these rows,
// start-up reads them by the same rows and the main window writes its places by them, so a
// key's section, spelling and defaults live in one place. Adding a setting with a check box
// is one row here (and its id), plus the box in the window's layout. A row whose name holds
// '#' stands for a family of keys: the '#' is a box's number or a control's name.
namespace tabrix {

class IniFile;

// A key by what it holds; start-up asks for its keys by these names.
enum class SettingKey {
    Font,
    FontSize,
    FontColor,
    WinampPath,
    OutputInterval,
    WinampButtonsStay,
    IpServer,
    TempLabel,
    Skin,
    Transparent,
    Alpha,
    SavePath,
    Output,
    ShowBar,
    OnTop,
    EnableXml,
    EnablePhp,
    EnableJson,
    EnableMetrics,
    MetricsPath,
    ShowIp,
    XpWinampIcons,
    IpInterval,
    ScrollEnabled,
    IpInterface,
    ShowUsed,
    SelfDrawEnabled,
    SysTrayIcon,
    ShowBanner,
    ShouldGetDisk,
    AllowPositionChange,
    HideFullScreen,
    SavePositions,
    FormWidth,
    FormHeight,
    ClickThrough,
    LastError,
    Left,
    Top,
    Module,
    Graphs,
    PlaceLeft,
    PlaceTop,
    SensorReading,
    LhmPort,
};

// How the Settings window holds a key's value and writes it back.
enum class KeyKind {
    Text,            // an edit's or combo box's text, as it stands
    Number,          // an integer, shown in an edit as its decimal
    Flag,            // a check box: on when the text is "1"; written "1" or "0"
    FlagUnlessZero,  // a check box: on unless the text is "0"; written "1" or "0"
    FlagNumber,      // a check box: on when the integer is 1; written "1" or "0"
    Banner,          // a check box: on when the text is "-1"; written "-1" or "0"
    FontFace,        // the font dialog's choices, shown in labels
    FontSize,
    FontColor,
    Opacity,    // the slider; written only once it has moved
    Interval,   // the IP interval's edit; checked before Save writes anything
    Interface,  // the network interface: the up/down and its edit
    Module,     // [Modules]: a box of the Modules page, "True" or "False"
    Place,      // a place in design pixels, written by the main window
    Other,      // not the Settings window's (start-up reads it)
    Record,     // kept for the user to read: written, never read
};

struct SettingKeyRow {
    SettingKey id;
    const char* section;
    const char* name;
    KeyKind kind;
    const char* startDefault;   // nullptr: start-up brings its own default
    const char* dialogDefault;  // nullptr: the Settings window neither reads nor saves it
    const char* control;        // the control showing the value; nullptr: the form holds it
};

// Every row, in the order Save writes them (a key new to the file goes to the section's end).
extern const SettingKeyRow kSettingKeys[];
extern const int kSettingKeyCount;

const SettingKeyRow& settingKey(SettingKey id);
// The key's name, with part in place of a family's '#'.
std::string keyName(const SettingKeyRow& row, const std::string& part = "");
// A control's place in design pixels, by its component name (PlaceLeft, PlaceTop).
void writePlace(IniFile& ini, const std::string& name, int left, int top);
// A row's default as an integer (0 for none).
int integerDefault(const char* text);

}  // namespace tabrix
