// The help line at the foot of the Settings window: it follows the pointer.
#include "windows/settings/Unit3.h"

#include <cstring>

namespace tabrix {

namespace {

constexpr char kDefaultHelp[] = "Move your mouse over the labels to get more information.";
constexpr char kModulesHelp[] = "Choose which of the following you would like Tabrix to display.";

struct HelpEntry {
    const char* control;
    const char* text;
    bool restores;  // the default text comes back when the pointer leaves the control
};

const HelpEntry kHelp[] = {
    {"Label1",
     "Here you can choose what skin you would like to use.\n\rNote: You can type the name of a skin file "
     "without "
     "the extension.",
     true},
    {"Label2", "This options is to be able to use transparent skins.", true},
    {"Label3",
     "This options makes Tabrix become partially transparent.\n\rNote: This only works in Windows 2000/XP.",
     true},
    {"Label4",
     "This options enables HTML output of information.\n\rNote: Make sure the path is correct, or you will "
     "recieve errors.",
     true},
    {"Label5",
     "This will either show or hide the Title Bar.\n\rNote: If you see purple in a skin, then enabling "
     "transparency is required.",
     true},
    {"Label6", "This will make Tabrix stay on top of other applications", true},
    {"Label9",
     "Enter the path to save the XML/PHP output\n\rExample: c:\\inetpub\\wwwroot\\stats make stats.xml "
     "stats.php",
     true},
    {"Label7",
     "Check to enable remote retrieval of IP address.\n\rNote: You must be connected to the internet for "
     "this to "
     "work.",
     false},
    {"Label8",
     "This is the amount of time before your IP is refreshed.\n\rNote: If you set this to 0, the IP will be "
     "refreshed only at startup.",
     false},
    {"CheckBox5", "This will enable XML output to the file path specified.", false},
    {"CheckBox6", "This will enable PHP output to the file path specified.", false},
    {"CheckBox33", "This will enable JSON output to the file path specified.", false},
    {"CheckBox35",
     "This will write the facts as Prometheus metrics for an exporter's textfile collector.\n\rThe file "
     "below; left empty, the file output path with .prom",
     false},
    {"Edit8", "The metrics file, in the exporter's textfile folder.\n\rExample: c:\\metrics\\tabrix.prom",
     false},
    {"Label14", "This will run Tabrix each time Windows starts.", false},
    {"Label15", "This will scroll the song currently playing.\n\rNote: This may cause high cpu usage.",
     false},
    {"Label19", "Enter the full path to WinAmp.\n\rExample: c:\\program files\\winamp\\winamp.exe", false},
    {"Label20", "The interval (ms) between saving the file output.\n\rThe default value is 1000", false},
    {"Label21",
     "Control the Winamp minicontrols\n\rUsage: 0 - Show when playing, 1 - Always on, 2 - Always off", false},
    {"Label22", nullptr, false},  // ends with the default server's address
    {"Label23", "This will show used memory instead of free memory.", false},
    {"Label24",
     "Use this option text comes up blurry.\n\rNote:  The modules page does not work when this is selected.",
     false},
    {"Label25", "You can use this to change *C to *F", false},
    {"Label26", "Uncheck this if you do not want a systray icon for Tabrix", false},
    {"Label27", "Uncheck this if you do not want the vertical Tabrix banner on the main display", false},
    {"Label28", "Use this option if you would like to change the Winamp control icons", false},
    {"Label29", "Allows changing of locations of the text on the main screen", false},
    {"CheckBox23", "Change the value of the number to select between the different network connections.",
     false},
    {"CheckBox28", "Shows free disk space.  Select multiple drives by using Ctrl key", false},
    {"CheckBox32", "Shows graphs of the CPU load and the network traffic of the last minute.", false},
    {"CheckBox34",
     "Hides Tabrix while a game or a video fills the screen it is on.\n\rNote: A maximised window does not "
     "hide it.",
     false},
    {"Button3", "This will discard all your settings and close this dialog.", false},
};

// The bare surfaces that put the default text back: the window, the tabs, two pages.
const char* const kDefaultSurfaces[] = {"Form3", "PageControl1", "TabSheet1", "TabSheet2"};

std::string helpText(const std::string& name, bool& restores) {
    restores = false;
    for (const HelpEntry& e : kHelp) {
        if (name != e.control) continue;
        restores = e.restores;
        if (!e.text)
            return std::string(
                       "This is the server that reports the external ip address\n\rThe default server is ") +
                   kDefaultIpServer;
        return e.text;
    }
    for (const char* surface : kDefaultSurfaces)
        if (name == surface) return kDefaultHelp;
    if (name == "TabSheet3") return kModulesHelp;
    return std::string();
}

}  // namespace

void TForm3::pointerOver(const std::string& name) {
    if (name == hovered_) return;
    bool leftRestores = false;
    helpText(hovered_, leftRestores);
    hovered_ = name;
    bool restores = false;
    const std::string text = helpText(name, restores);
    if (!text.empty())
        control<Label>("Label12").text = text;
    else if (leftRestores)
        control<Label>("Label12").text = kDefaultHelp;
}

}  // namespace tabrix
