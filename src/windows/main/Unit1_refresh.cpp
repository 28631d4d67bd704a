// The once-a-second refresh (systimer): a walk over the due steps, in the order the tick has
// always read the system. Each step reads its fact once and writes it to the fact's label,
// with the figure the reports take; the song labels and the player buttons follow the player.
#include <utility>
#include <vector>

#include "platform/SystemApi.h"
#include "report/Facts.h"
#include "sources/Battery.h"
#include "sources/SystemFacts.h"
#include "sources/adCpuUsage.h"
#include "windows/main/Unit1.h"

namespace tabrix {

struct RefreshSteps {
    TForm1& f;
    const StartupSettings& settings;
    SystemApi& system;
    LabelFigures& figures;
    MemoryStatus memory{};  // one snapshot for memory, memory load and page file

    // The sampler's instance 1: the total on a one-processor system.
    static constexpr int kCpuInstance = 1;

    void put(Fact fact, const std::string& text) { f.controls_.setText(factRow(fact).label, text); }

    void battery() {
        const PowerStatus power = system.powerStatus();
        put(Fact::Battery, batteryText(power, system.decimalSeparator()));
        figures.power = power;
    }
    void cpuUsage() {
        // Sampling and reading are contained together: a sampler that fails on every tick
        // (no processor data and no fallback) must not hold back the facts after it.
        try {
            f.platform_.cpuLoad.SampleCpuCounters();
            const double load = f.platform_.cpuLoad.GetCpuLoad(kCpuInstance);
            put(Fact::CpuUsage, cpuUsageText(load));
            figures.cpuLoad = load;
            f.graphs_.pushLoad(load);
        } catch (...) {
            // The label keeps its last figure.
        }
    }
    void user() { put(Fact::User, GetLoggedOnUserName(system)); }
    // The 64-bit figures, so that more than 4 GB of memory or page file is not cut short.
    void memorySnapshot() { memory = system.memoryStatus(); }
    // The report ticks until the next refresh use the same answer.
    void display() {
        const DisplayMode mode = system.displayMode();
        f.report_.displayRead(mode);
        put(Fact::Display, displayText(mode));
    }
    void memoryFacts() {
        put(Fact::Memory, memoryText(memory, settings.showUsed));
        put(Fact::MemoryLoad, memoryLoadText(memory));
        put(Fact::PageFile, virtualMemoryText(memory, settings.showUsed));
        figures.memory = memory;
    }
    void uptime() {
        const uint32_t ms = system.tickCount();
        put(Fact::Uptime, uptimeText(ms));
        figures.uptimeMs = ms;
    }
    // In self-draw mode the window paints the song itself.
    void songLabels() {
        f.controls_.setSongLabelsVisible(f.player_.running() && settings.songLabelsMayShow);
        if (f.stored_.songModule == ModuleFlag::Off) f.controls_.setSongLabelsVisible(false);
    }
    void playerButtons() {
        switch (settings.playerButtons) {
            case PlayerButtons::WhilePlayerRuns:
                return f.controls_.setPlayerButtonsVisible(f.player_.running());
            case PlayerButtons::Always:
                return f.controls_.setPlayerButtonsVisible(true);
            case PlayerButtons::Never:
                return f.controls_.setPlayerButtonsVisible(false);
            case PlayerButtons::AsTheyAre:
                return;
        }
    }
    void drives() {
        std::vector<DriveSpace> spaces;
        put(Fact::Drives, f.sources_.driveText(&spaces));
        figures.drives = std::move(spaces);
    }
    // The source that answers, in order of precedence; Settings says which.
    void sensors() {
        if (f.sensors_.refresh(f.controls_, settings, figures) && f.owner_)
            f.owner_->sensorSourceChanged(f.sensors_.live());
    }
    // A player that quit during this tick hides its labels now, not a second later; Settings
    // says which player is followed.
    void followedPlayer() {
        const PlayerKind followed = f.player_.followed();
        if (followed == PlayerKind::None) f.controls_.setSongLabelsVisible(false);
        if (followed == f.followedPlayer_) return;
        f.followedPlayer_ = followed;
        if (f.owner_) f.owner_->playerChanged(followed);
    }
    // The traffic meter starts with the first tick; its timer runs from then on.
    void traffic() { f.timers_.tmrTraffic.enabled = true; }

    static bool always(const TForm1&) { return true; }
    static bool diskSpaceOn(const TForm1& f) { return f.stored_.settings.getDiskSpace; }
    static bool sensorsOn(const TForm1& f) { return f.stored_.sensorModule; }
    static bool trafficOn(const TForm1& f) { return f.stored_.trafficModule; }

    struct Step {
        bool (*due)(const TForm1&);
        void (RefreshSteps::*run)();
    };
    static constexpr Step kSteps[] = {
        {always, &RefreshSteps::battery},       {always, &RefreshSteps::cpuUsage},
        {always, &RefreshSteps::user},          {always, &RefreshSteps::memorySnapshot},
        {always, &RefreshSteps::display},       {always, &RefreshSteps::memoryFacts},
        {always, &RefreshSteps::uptime},        {always, &RefreshSteps::songLabels},
        {always, &RefreshSteps::playerButtons}, {diskSpaceOn, &RefreshSteps::drives},
        {sensorsOn, &RefreshSteps::sensors},    {always, &RefreshSteps::followedPlayer},
        {trafficOn, &RefreshSteps::traffic},
    };
};

void TForm1::systimerTimer() {
    report_.refreshStarted();
    RefreshSteps tick{*this, stored_.settings, platform_.system, report_.figures()};
    try {
        for (const RefreshSteps::Step& step : RefreshSteps::kSteps)
            if (step.due(*this)) (tick.*step.run)();
    } catch (...) {
        // A failing step ends the tick quietly: the labels keep what they have, and the
        // next tick starts again from the top.
    }
    graphs_.publish();
    // Outside the steps: a failing step must not leave the widget over a full-screen program.
    ForegroundChanged();
}

}  // namespace tabrix
