// The once-a-second refresh (systimer): every changing fact is read afresh and written
// into its label; the song labels and the player buttons follow the player.
#include <utility>
#include <vector>

#include "platform/SystemApi.h"
#include "sources/Battery.h"
#include "sources/SystemFacts.h"
#include "sources/adCpuUsage.h"
#include "windows/main/Unit1.h"

namespace tabrix {
namespace {

// The sampler's instance 1: the total on a one-processor system.
constexpr int kCpuInstance = 1;

void refreshCpuUsage(MainControls& controls, CpuLoad& cpu, Graphs& graphs, LabelFigures& figures) {
    // Sampling and reading are contained together: a sampler that fails on every tick
    // (no processor data and no fallback) must not hold back the facts after it.
    try {
        cpu.SampleCpuCounters();
        const double load = cpu.GetCpuLoad(kCpuInstance);
        controls.setText(kLabelCpuUsage, cpuUsageText(load));
        figures.cpuLoad = load;
        graphs.pushLoad(load);
    } catch (...) {
        // Label4 keeps its last figure.
    }
}

void refreshPlayerButtons(MainControls& controls, PlayerButtons stay, PlayerControl& player) {
    switch (stay) {
        case PlayerButtons::WhilePlayerRuns:
            controls.setPlayerButtonsVisible(player.running());
            break;
        case PlayerButtons::Always:
            controls.setPlayerButtonsVisible(true);
            break;
        case PlayerButtons::Never:
            controls.setPlayerButtonsVisible(false);
            break;
        case PlayerButtons::AsTheyAre:
            break;
    }
}

}  // namespace

void TForm1::systimerTimer() {
    report_.refreshStarted();
    const StartupSettings& settings = stored_.settings;
    SystemApi& system = platform_.system;
    LabelFigures& figures = report_.figures();
    try {
        // 1. battery; the metrics report takes the figures the line was made from.
        const PowerStatus power = system.powerStatus();
        controls_.setText(kLabelBattery, batteryText(power, system.decimalSeparator()));
        figures.power = power;
        // 2, 3. processor usage.
        refreshCpuUsage(controls_, platform_.cpuLoad, graphs_, figures);
        // 4. user.
        controls_.setText(kLabelUserName, GetLoggedOnUserName(system));
        // 5. one memory snapshot for steps 7 to 9; the 64-bit figures, so that more than
        // 4 GB of memory or page file is not cut short.
        const MemoryStatus memory = system.memoryStatus();
        // 6. display; the report ticks until the next refresh use the same answer.
        const DisplayMode display = system.displayMode();
        report_.displayRead(display);
        controls_.setText(kLabelDisplay, displayText(display));
        // 7 to 9. memory, memory load, page file.
        controls_.setText(kLabelMemory, memoryText(memory, settings.showUsed));
        controls_.setText(kLabelMemoryLoad, memoryLoadText(memory));
        controls_.setText(kLabelVirtualMemory, virtualMemoryText(memory, settings.showUsed));
        figures.memory = memory;
        // 10. uptime.
        const uint32_t uptime = system.tickCount();
        controls_.setText(kLabelUptime, uptimeText(uptime));
        figures.uptimeMs = uptime;
        // 11. the song labels; in self-draw mode the window paints the song itself.
        controls_.setSongLabelsVisible(player_.running() && settings.songLabelsMayShow);
        if (stored_.songModule == ModuleFlag::Off) controls_.setSongLabelsVisible(false);
        // 12. the player buttons.
        refreshPlayerButtons(controls_, settings.playerButtons, player_);
        // 13. drive space; a failing report ends the tick here, as any failing step does.
        if (settings.getDiskSpace) {
            std::vector<DriveSpace> spaces;
            controls_.setText(kLabelDiskSpace, sources_.driveText(&spaces));
            figures.drives = std::move(spaces);
        }
        // 14. sensors: the source that answers, in order of precedence; Settings says which.
        if (stored_.sensorModule && sensors_.refresh(controls_, settings, report_.figures()) && owner_)
            owner_->sensorSourceChanged(sensors_.live());
        // 15. a player that quit during this tick hides its labels now, not a second later;
        // Settings says which player is followed.
        const PlayerKind followed = player_.followed();
        if (followed == PlayerKind::None) controls_.setSongLabelsVisible(false);
        if (followed != followedPlayer_) {
            followedPlayer_ = followed;
            if (owner_) owner_->playerChanged(followed);
        }
        // 16. the traffic meter starts with the first tick; its timer runs from then on.
        if (stored_.trafficModule) timers_.tmrTraffic.enabled = true;
    } catch (...) {
        // A failing step ends the tick quietly: the labels keep what they have, and the
        // next tick starts again from the top.
    }
    graphs_.publish();
    // Outside the steps: a failing step must not leave the widget over a full-screen program.
    ForegroundChanged();
}

}  // namespace tabrix
