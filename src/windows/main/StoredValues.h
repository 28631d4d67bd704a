#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "windows/main/StartupSettings.h"

namespace tabrix {

// Values the main window's start-up stores for the rest of the program. They outlive a
// re-creation of the main window; each start-up sets them again, step by step, so one
// that fails part way leaves the later ones as the window before it had them.
struct StoredValues {
    std::string version;
    // The settings the refresh, the timers and the close handler consult. Only the keys
    // start-up stores are set here; the look and layout belong to the window built.
    StartupSettings settings;
    bool sensorModule = false;                      // CheckBox21 is "True"
    ModuleFlag songModule = ModuleFlag::Undecided;  // CheckBox22
    bool trafficModule = false;                     // CheckBox23
    // The song poll's last text; every rebuild of the main window sets it to "foo" so
    // that the new window's first poll writes the song line.
    std::string rememberedSong;
    // The external address the last timer refresh brought ("Failed" stops the timer after one
    // more attempt); start-up's lookup does not set it.
    std::string lastIpRefresh;
    // The traffic meter's bytes since the program started (empty before its first measurement).
    std::optional<uint64_t> receivedTotal;
    std::optional<uint64_t> sentTotal;
};

}  // namespace tabrix
