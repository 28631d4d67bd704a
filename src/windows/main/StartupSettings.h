#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "controls/MainLabels.h"
#include "controls/Scale.h"
#include "sources/interfacewithmbm.h"
#include "windows/main/Graphs.h"

namespace tabrix {

class IniFile;

// A key of section modules: "True" shows the module's labels, "False" hides them, any
// other text (the comparison is exact) leaves the design.
enum class ModuleSwitch { Other, True, False };

// A module flag that only "True" or "False" decides; any other text keeps the flag as the
// last start-up left it (undecided at program start).
enum class ModuleFlag { Undecided, On, Off };

// winampbuttonsstay: "0" while the player runs, "1" always, "2" never, anything else
// leaves the buttons as they are.
enum class PlayerButtons { AsTheyAre, WhilePlayerRuns, Always, Never };

struct LabelPlace {
    int left = 0;
    int top = 0;
    bool leftSaved = true;  // false: the file had no left for it
};

// What the main window's start-up reads from config.ini, read in one pass and typed
// there: every comparison with the file's texts is made here, once, exactly as the
// settings file is defined (case-sensitive, "1" is not "True").
struct StartupSettings {
    bool labelDragging = true;       // AllowPositionChange is 1
    std::optional<int> ipInterface;  // none: the traffic meter picks one

    bool savePositions = false;  // savepositions is "1": the places below are used
    std::array<LabelPlace, kLastMainLabel + 1> labelPlaces{};
    int formWidth = 0;
    int formHeight = 0;

    std::string tempLabel;
    // [Sensors] reading1 to reading3: the later sensor sources' readings to show.
    std::string sensorReadings[kShownSensors];
    // [Sensors] lhmport: the port of LibreHardwareMonitor's web server, 1 to 65535; 0 (also
    // for a missing key or anything else): not asked.
    int lhmPort = 0;
    std::array<ModuleSwitch, 32> modules{};  // by check box number: CheckBox11 ... CheckBox31
    // The history graphs, CheckBox32: on only when "True". Added later than the other
    // modules, so a config.ini without the key shows no graphs.
    bool graphs = false;
    // Graph1's and Graph2's places (section Labels), read like the labels' with
    // savePositions; a missing key keeps the design place.
    std::array<LabelPlace, Graphs::kCount> graphPlaces{};
    // The player buttons' places (ImageNleft / ImageNtop, section Labels), by picture number,
    // read with savePositions; a missing key keeps the design's edge. The close does not
    // write them: the buttons are never dragged.
    struct PicturePlace {
        int left = 0, top = 0;
        bool leftSaved = false, topSaved = false;
    };
    std::array<PicturePlace, 8> picturePlaces{};

    bool getDiskSpace = false;             // ShouldGetDisk is 1
    bool playerPicturesFromFiles = false;  // xpwinampicons is 0
    bool trayIcon = false;                 // SysTrayIcon is "1"
    bool hideFullScreen = false;           // hidefullscreen is "1"
    bool clickThrough = false;             // clickthrough is "1"
    bool output = false;                   // output is "1"
    unsigned outputInterval = 0;
    PlayerButtons playerButtons = PlayerButtons::AsTheyAre;
    std::string ipServer;
    bool selfDraw = false;           // SelfDrawEnabled is "1"
    bool songLabelsMayShow = false;  // SelfDrawEnabled is "0"

    bool onTop = false;       // ontop is "1"
    bool showUsed = false;    // ShowUsed is "1"
    bool toolCaption = true;  // showbar is "1"
    std::string winampPath;
    std::string fontFace;
    bool showIp = false;  // showip is "1"
    int ipInterval = 0;
    bool scrolling = false;  // scrollenabled is anything but "0"
    int fontPoints = 8;
    uint32_t fontColor = 0;
    std::string fontColorProblem;  // fontcolor is no colour: start-up fails with this text
    bool enablePhp = false;        // enablephp is "1"
    bool enableXml = false;        // enablexml is "1"
    bool enableJson = false;       // enablejson is "1"
    bool enableMetrics = false;    // enablemetrics is "1"
    std::string metricsPath;       // metricspath; empty: the report stem with ".prom"

    std::string skinFile;     // the file in the skins folder ("Default" is transparent.bmp)
    bool banner = true;       // showbanner is "-1"
    bool colorKey = false;    // transparent is "1"
    uint8_t alpha = 255;      // the low byte of alpha
    bool alphaBlend = false;  // alpha is not 255
    int left = 255;
    int top = 255;

    ModuleSwitch module(int checkBox) const { return modules.at(checkBox); }
};

// Reads every start-up key. designWidth/Height are the defaults of the saved window size.
// The saved places and size are in design units and come back at the screen's scale.
// Reading never fails: a missing file gives every default.
StartupSettings readStartupSettings(const IniFile& ini, int designWidth, int designHeight,
                                    const Scale& scale = Scale());

}  // namespace tabrix
