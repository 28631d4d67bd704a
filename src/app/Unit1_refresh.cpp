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

constexpr int kSongLabels[] = {13, 14};
constexpr int kPlayerButtons[] = {6, 2, 3, 4, 7};  // back, play, pause, stop, forward
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
    graphs.publish();
}

void TForm1::refreshSteps(SystemApi& system, PlayerWindow& player) {
    // 1. battery.
    setLabelText(34, GetBatteryPowerStats(system));
    // 2, 3. processor usage.
    refreshCpuUsage();
    // 4. user.
    setLabelText(23, GetLoggedOnUserName(system));
    // 5. one memory snapshot for steps 7 to 9; the 64-bit figures, so that more than
    // 4 GB of memory or page file is not cut short.
    const MemoryStatus memory = system.memoryStatus();
    // 6. display; the report ticks until the next refresh use the same answer.
    tickDisplay_ = system.displayMode();
    tickDisplayRead_ = true;
    setLabelText(18, displayText(tickDisplay_));
    // 7 to 9. memory, memory load, page file.
    const bool showUsed = stored_.showUsed == "1";
    setLabelText(10, memoryText(memory, showUsed));
    setLabelText(12, memoryLoadText(memory));
    setLabelText(16, virtualMemoryText(memory, showUsed));
    // 10. uptime.
    setLabelText(20, GetUptimeText(system));
    // 11, 12. the player's labels and buttons.
    refreshSongLabels(player);
    refreshPlayerButtons(player);
    // 13. drive space.
    refreshDiskSpace();
    // 14. sensors.
    if (stored_.sensorModule == "1" && !ReadMBM5Data()) ReadHwinfoData();
    // 15. a player that quit during this tick hides its labels now, not a second later.
    if (!playerRunning(player)) setSongLabelsVisible(false);
    // 16. the traffic meter starts with the first tick; its timer runs from then on.
    if (stored_.trafficModule == 1) tmrTraffic.enabled = true;
}

void TForm1::refreshCpuUsage() {
    // Sampling and reading are contained together: a sampler that fails on every tick
    // (no processor data and no fallback) must not hold back the facts after it.
    try {
        platform_.cpuLoad.SampleCpuCounters();
        const double load = platform_.cpuLoad.GetCpuLoad(kCpuInstance);
        setLabelText(4, cpuUsageText(load));
        graphs.pushLoad(load);
    } catch (...) {
        // Label4 keeps its last figure.
    }
}

void TForm1::refreshSongLabels(PlayerWindow& player) {
    if (!playerRunning(player))
        setSongLabelsVisible(false);
    else
        // In self-draw mode the window paints the song itself.
        setSongLabelsVisible(stored_.selfDrawEnabled == "0");
    if (stored_.songModule == "0") setSongLabelsVisible(false);
}

void TForm1::refreshPlayerButtons(PlayerWindow& player) {
    const std::string& stay = stored_.winampButtonsStay;
    if (stay == "0")
        setPlayerButtonsVisible(playerRunning(player));
    else if (stay == "1")
        setPlayerButtonsVisible(true);
    else if (stay == "2")
        setPlayerButtonsVisible(false);
    // Any other value leaves the buttons as they are.
}

void TForm1::refreshDiskSpace() {
    // A failing report ends the tick here, as any failing step does.
    if (stored_.shouldGetDisk == 1) setLabelText(36, driveText());
}

bool TForm1::playerRunning(PlayerWindow& player) {
    TWinampApi winamp(player, stored_.winampPath);
    return winamp.GetCurrentSong() != kPlayerNotRunning;
}

void TForm1::setSongLabelsVisible(bool visible) {
    for (int n : kSongLabels) labels_[n].visible = visible;
}

void TForm1::setPlayerButtonsVisible(bool visible) {
    for (int n : kPlayerButtons) images_[n].visible = visible;
}

}  // namespace tabrix
