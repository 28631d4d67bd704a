#pragma once
#include <string>

namespace tabrix {

// Values the main window's start-up stores for the rest of the program. They outlive a
// re-creation of the main window; each start-up sets them again.
struct StoredValues {
    std::string version;
    int allowPositionChange = 1;
    int ipInterface = 0;
    std::string tempLabel;
    std::string sensorModule;  // "1" or "0"
    std::string sensorReadings[3];  // [Sensors] reading1 to reading3: labels of readings to show
    std::string songModule;    // "1", "0", or empty until a start-up decides
    int trafficModule = 0;
    int shouldGetDisk = 0;
    int xpWinampIcons = 1;
    std::string sysTrayIcon;
    std::string winampButtonsStay;
    std::string ipServer;
    std::string selfDrawEnabled;
    std::string showUsed;
    std::string winampPath;
    std::string enablePhp;
    std::string enableXml;
    // The song poll's last text; every rebuild of the main window sets it to "foo" so
    // that the new window's first poll writes the song line.
    std::string rememberedSong;
    // The external address the last timer refresh brought ("Failed" stops the timer after one
    // more attempt); start-up's lookup does not set it.
    std::string lastIpRefresh;
};

}  // namespace tabrix
