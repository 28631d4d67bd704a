#include "config/SettingKeys.h"

#include <cstdlib>
#include <iterator>
#include <utility>

#include "config/IniFile.h"

namespace tabrix {

namespace {
constexpr char G[] = "general";
constexpr char M[] = "Modules";
constexpr char P[] = "position";
constexpr char L[] = "Labels";
constexpr char S[] = "Sensors";
using K = SettingKey;
using T = KeyKind;
}  // namespace

// Start-up and the window differ in a few defaults (ShouldGetDisk above all): both are kept
// as each has always read them.
const SettingKeyRow kSettingKeys[] = {
    {K::Font, G, "font", T::FontFace, "Tahoma", "Tahoma", nullptr},
    {K::FontSize, G, "fontsize", T::FontSize, "8", "8", nullptr},
    {K::FontColor, G, "fontcolor", T::FontColor, "ClBlack", "ClBlack", nullptr},
    {K::WinampPath, G, "winamppath", T::Text, "0", "0", "Edit3"},
    {K::OutputInterval, G, "outputinterval", T::Number, "0", "0", "Edit4"},
    {K::WinampButtonsStay, G, "winampbuttonsstay", T::Number, "0", "0", "Edit5"},
    {K::IpServer, G, "ipserver", T::Text, "0", "0", "Edit6"},
    {K::TempLabel, G, "Temp_label", T::Text, "*C", "*C", "ComboBox2"},
    {K::Skin, G, "skin", T::Text, "N/A", "N/A", "ComboBox1"},
    {K::Transparent, G, "transparent", T::Flag, "0", "0", "CheckBox1"},
    {K::Alpha, G, "alpha", T::Opacity, "255", "255", "TrackBar1"},
    {K::SavePath, G, "savepath", T::Text, nullptr, "", "Edit1"},
    {K::Output, G, "output", T::Flag, "0", "0", "CheckBox2"},
    {K::ShowBar, G, "showbar", T::Flag, "1", "1", "CheckBox3"},
    {K::OnTop, G, "ontop", T::Flag, "0", "0", "CheckBox4"},
    {K::EnableXml, G, "enablexml", T::Flag, "0", "0", "CheckBox5"},
    {K::EnablePhp, G, "enablephp", T::Flag, "0", "0", "CheckBox6"},
    {K::EnableJson, G, "enablejson", T::Flag, "0", "0", "CheckBox33"},
    {K::EnableMetrics, G, "enablemetrics", T::Flag, "0", "0", "CheckBox35"},
    {K::MetricsPath, G, "metricspath", T::Text, "", "", "Edit8"},
    {K::ShowIp, G, "showip", T::Flag, "0", "0", "CheckBox7"},
    {K::XpWinampIcons, G, "xpwinampicons", T::Flag, "1", "1", "CheckBox29"},
    {K::IpInterval, G, "ipinterval", T::Interval, "0", "0", "Edit2"},
    {K::ScrollEnabled, G, "scrollenabled", T::FlagUnlessZero, "0", "0", "CheckBox8"},
    {K::IpInterface, G, "ipinterface", T::Interface, "0", "0", "Edit7"},
    {K::ShowUsed, G, "ShowUsed", T::FlagUnlessZero, "0", "0", "CheckBox9"},
    {K::SelfDrawEnabled, G, "SelfDrawEnabled", T::FlagUnlessZero, "0", "0", "CheckBox10"},
    {K::SysTrayIcon, G, "SysTrayIcon", T::FlagUnlessZero, "0", "0", "CheckBox25"},
    {K::ShowBanner, G, "showbanner", T::Banner, "-1", "-1", "CheckBox26"},
    {K::ShouldGetDisk, G, "ShouldGetDisk", T::Flag, "0", "1", "CheckBox28"},
    {K::AllowPositionChange, G, "AllowPositionChange", T::FlagNumber, "1", "1", "CheckBox30"},
    {K::HideFullScreen, G, "hidefullscreen", T::Flag, "0", "0", "CheckBox34"},
    // Written by the main window when it closes.
    {K::SavePositions, G, "savepositions", T::Other, "0", nullptr, nullptr},
    {K::FormWidth, G, "FormWidth", T::Other, nullptr, nullptr, nullptr},
    {K::FormHeight, G, "FormHeight", T::Other, nullptr, nullptr, nullptr},
    // Written by the main window's tray menu entry as it is toggled.
    {K::ClickThrough, G, "clickthrough", T::Other, "0", nullptr, nullptr},
    // The last error the notice showed, written as it closes.
    {K::LastError, G, "lasterror", T::Record, nullptr, nullptr, nullptr},
    // The window's place, written by Save Position and at the close.
    {K::Left, P, "left", T::Place, "255", nullptr, nullptr},
    {K::Top, P, "top", T::Place, "255", nullptr, nullptr},
    // The Modules page's boxes by number (Free Disk Space is [general]'s ShouldGetDisk); the
    // graphs came later: a file without their key has them off.
    {K::Module, M, "CheckBox#", T::Module, "True", "True", nullptr},
    {K::Graphs, M, "CheckBox32", T::Module, "False", "False", "CheckBox32"},
    // Labels, graphs and player buttons by component name, with savepositions on; start-up
    // brings each one's design place.
    {K::PlaceLeft, L, "#left", T::Place, nullptr, nullptr, nullptr},
    {K::PlaceTop, L, "#top", T::Place, nullptr, nullptr, nullptr},
    // Which readings the three sensor pairs show (reading1 ... reading3), and the sensor web
    // server's port (off unless 1 ... 65535).
    {K::SensorReading, S, "reading#", T::Text, "", nullptr, nullptr},
    {K::LhmPort, S, "lhmport", T::Number, "0", nullptr, nullptr},
};

const int kSettingKeyCount = static_cast<int>(std::size(kSettingKeys));

const SettingKeyRow& settingKey(SettingKey id) {
    for (const SettingKeyRow& row : kSettingKeys)
        if (row.id == id) return row;
    // Every id has its row; the table walk test holds the table to that.
    return kSettingKeys[0];
}

std::string keyName(const SettingKeyRow& row, const std::string& part) {
    std::string name = row.name;
    const std::string::size_type at = name.find('#');
    if (at != std::string::npos) name.replace(at, 1, part);
    return name;
}

void writePlace(IniFile& ini, const std::string& name, int left, int top) {
    for (const auto& [id, value] : {std::pair{SettingKey::PlaceLeft, left}, {SettingKey::PlaceTop, top}}) {
        const SettingKeyRow& row = settingKey(id);
        ini.writeString(row.section, keyName(row, name), std::to_string(value));
    }
}

int integerDefault(const char* text) {
    return text ? std::atoi(text) : 0;
}

}  // namespace tabrix
