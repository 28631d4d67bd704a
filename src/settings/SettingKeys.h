#pragma once

// config.ini's [general] keys, one row each: the Settings window reads and saves them from
// these rows and start-up reads them by the same rows, so a key's spelling and defaults live
// in one place. Adding a setting with a check box is one row here (and its id), plus the box
// in the window's layout.
namespace tabrix {

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
    Other,      // not the Settings window's (start-up reads it)
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
// A row's default as an integer (0 for none).
int integerDefault(const char* text);

}  // namespace tabrix
