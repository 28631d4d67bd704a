// The once-a-second refresh (systimer): every changing fact is read afresh and written
// into its label; the song labels and the player buttons follow the player.
#include "app/Unit1.h"
#include "platform/SystemApi.h"
#include "sources/Battery.h"
#include "sources/SystemFacts.h"
#include "sources/WAmpMsg.h"
#include "sources/adCpuUsage.h"

namespace tabrix {
namespace {

constexpr int kSongLabels[] = {kLabelSongCaption, kLabelSong};
constexpr int kPlayerButtons[] = {kImageBack, kImagePlay, kImagePause, kImageStop, kImageNext};
// The sampler's instance 1: the total on a one-processor system.
constexpr int kCpuInstance = 1;

}  // namespace

void TForm1::systimerTimer() {
    tickDisplayRead_ = false;
    try {
        refreshSteps(platform_.system, platform_.player);
    } catch (...) {
        // A failing step ends the tick quietly: the labels keep what they have, and the
        // next tick starts again from the top.
    }
}

void TForm1::refreshSteps(SystemApi& system, PlayerWindow& player) {
    // 1. battery.
    setLabelText(kLabelBattery, GetBatteryPowerStats(system));
    // 2, 3. processor usage.
    refreshCpuUsage();
    // 4. user.
    setLabelText(kLabelUserName, GetLoggedOnUserName(system));
    // 5. one memory snapshot for steps 7 to 9; the 64-bit figures, so that more than
    // 4 GB of memory or page file is not cut short.
    const MemoryStatus memory = system.memoryStatus();
    // 6. display; the report ticks until the next refresh use the same answer.
    tickDisplay_ = system.displayMode();
    tickDisplayRead_ = true;
    setLabelText(kLabelDisplay, displayText(tickDisplay_));
    // 7 to 9. memory, memory load, page file.
    const bool showUsed = stored_.settings.showUsed;
    setLabelText(kLabelMemory, memoryText(memory, showUsed));
    setLabelText(kLabelMemoryLoad, memoryLoadText(memory));
    setLabelText(kLabelVirtualMemory, virtualMemoryText(memory, showUsed));
    // 10. uptime.
    setLabelText(kLabelUptime, GetUptimeText(system));
    // 11, 12. the player's labels and buttons.
    refreshSongLabels(player);
    refreshPlayerButtons(player);
    // 13. drive space.
    refreshDiskSpace();
    // 14. sensors.
    if (stored_.sensorModule) ReadMBM5Data();
    // 15. a player that quit during this tick hides its labels now, not a second later.
    if (!playerRunning(player)) setSongLabelsVisible(false);
    // 16. the traffic meter starts with the first tick; its timer runs from then on.
    if (stored_.trafficModule) tmrTraffic.enabled = true;
}

void TForm1::refreshCpuUsage() {
    // Sampling and reading are contained together: a sampler that fails on every tick
    // (no processor data and no fallback) must not hold back the facts after it.
    try {
        SampleCpuCounters();
        setLabelText(kLabelCpuUsage, cpuUsageText(GetCpuLoad(kCpuInstance)));
    } catch (...) {
        // Label4 keeps its last figure.
    }
}

void TForm1::refreshSongLabels(PlayerWindow& player) {
    if (!playerRunning(player))
        setSongLabelsVisible(false);
    else
        // In self-draw mode the window paints the song itself.
        setSongLabelsVisible(stored_.settings.songLabelsMayShow);
    if (stored_.songModule == ModuleFlag::Off) setSongLabelsVisible(false);
}

void TForm1::refreshPlayerButtons(PlayerWindow& player) {
    switch (stored_.settings.playerButtons) {
        case PlayerButtons::WhilePlayerRuns:
            setPlayerButtonsVisible(playerRunning(player));
            break;
        case PlayerButtons::Always:
            setPlayerButtonsVisible(true);
            break;
        case PlayerButtons::Never:
            setPlayerButtonsVisible(false);
            break;
        case PlayerButtons::AsTheyAre:
            break;
    }
}

void TForm1::refreshDiskSpace() {
    // A failing report ends the tick here, as any failing step does.
    if (stored_.settings.getDiskSpace) setLabelText(kLabelDiskSpace, driveText());
}

bool TForm1::playerRunning(PlayerWindow& player) {
    TWinampApi winamp(player, stored_.settings.winampPath);
    return winamp.GetCurrentSong() != kPlayerNotRunning;
}

void TForm1::setSongLabelsVisible(bool visible) {
    for (int n : kSongLabels) labels_[n].visible = visible;
}

void TForm1::setPlayerButtonsVisible(bool visible) {
    for (int n : kPlayerButtons) images_[n].visible = visible;
}

}  // namespace tabrix
