#include "windows/main/SensorSources.h"

#include "platform/HttpApi.h"
#include "platform/Platform.h"
#include "platform/RegistryApi.h"
#include "platform/SharedMemoryApi.h"
#include "platform/ShellApi.h"
#include "platform/SystemApi.h"
#include "sources/HwinfoRegistry.h"
#include "sources/LhmWebServer.h"
#include "sources/interfacewithmbm.h"
#include "windows/main/MainControls.h"
#include "windows/main/StartupSettings.h"

namespace tabrix {
namespace {

// The name and value labels of the three pairs.
constexpr struct {
    int name;
    int value;
} kPairLabels[kShownSensors] = {{kLabelSensor1Name, kLabelSensor1Value},
                                {kLabelSensor2Name, kLabelSensor2Value},
                                {kLabelSensor3Name, kLabelSensor3Value}};

}  // namespace

struct SensorSources::Row {
    SensorSource source;
    const char* text;     // the Settings window's words for it
    const char* program;  // the program, as the metrics report names it
    bool (SensorSources::*read)(MainControls&, const StartupSettings&, uint32_t now);
};

// In order of precedence.
const SensorSources::Row SensorSources::kSources[] = {
    {SensorSource::Mbm, "Motherboard Monitor 5", "Motherboard Monitor 5", &SensorSources::readMbm},
    {SensorSource::HwinfoMemory, "HWiNFO (shared memory)", "HWiNFO", &SensorSources::readMemory},
    {SensorSource::HwinfoRegistry, "HWiNFO (registry)", "HWiNFO", &SensorSources::readRegistry},
    {SensorSource::Lhm, "LibreHardwareMonitor", "LibreHardwareMonitor", &SensorSources::readWebServer},
};

const SensorSources::Row* SensorSources::row(SensorSource source) {
    for (const Row& r : kSources)
        if (r.source == source) return &r;
    return nullptr;
}

const char* sensorSourceText(SensorSource source) {
    if (source == SensorSource::None) return "no sensor program found";
    const SensorSources::Row* r = SensorSources::row(source);
    return r ? r->text : "";
}

const char* sensorProgramName(SensorSource source) {
    const SensorSources::Row* r = SensorSources::row(source);
    return r ? r->program : "";
}

SensorSources::SensorSources(Platform& platform) : platform_(platform), memory_(platform.sharedMemory) {}

SensorSources::~SensorSources() = default;

bool SensorSources::refresh(MainControls& controls, const StartupSettings& settings, LabelFigures& figures) {
    figures_ = &figures;
    const uint32_t now = platform_.clock.now();
    const bool look = !looked_ || now - lookedAt_ >= kSensorLookAgainMs;
    bool lost = false;
    SensorSource found = SensorSource::None;
    for (const Row& r : kSources) {
        const SensorSource source = r.source;
        const bool due = source == live_ || look || lost || (source == SensorSource::Lhm && lhmNews_);
        if (!due) continue;
        if ((this->*r.read)(controls, settings, now)) {
            found = source;
            break;
        }
        // The live source stopped answering: the ones after it are tried now.
        if (source == live_) lost = true;
    }
    if (look || lost) {
        looked_ = true;
        lookedAt_ = now;
    }
    const bool changed = found != live_;
    live_ = found;
    figures.sensorProgram = sensorProgramName(found);
    return changed;
}

// Motherboard Monitor 5's block into the three pairs; false when no block is published.
bool SensorSources::readMbm(MainControls& controls, const StartupSettings& settings, uint32_t) {
    std::string bytes;
    if (!platform_.sharedMemory.read(kSensorBlockName, kSensorBytesUsed, bytes)) return false;
    const SensorBlock block =
        parseSensorBlock(bytes, settings.tempLabel, platform_.system.decimalSeparator());
    if (!block.valid) return true;
    // A hidden sensor's texts are written too: the reports read them.
    for (int i = 0; i < block.count; ++i) showSensorPair(controls, *figures_, i, block.readings[i], true);
    return true;
}

bool SensorSources::readMemory(MainControls& controls, const StartupSettings& settings, uint32_t now) {
    std::vector<SensorValue> readings;
    switch (memory_.read(now, readings)) {
        case HwinfoMemoryReader::Result::Missing:
            return false;
        case HwinfoMemoryReader::Result::Kept:
            return true;
        case HwinfoMemoryReader::Result::Read:
            break;
    }
    showPairs(controls, readings, settings);
    return true;
}

bool SensorSources::readRegistry(MainControls& controls, const StartupSettings& settings, uint32_t) {
    const std::unique_ptr<RegistryKey> key = platform_.registry.openCurrentUser(kHwinfoRegistryKey);
    if (!key) return false;
    const std::vector<SensorValue> readings = readHwinfoRegistry(*key, platform_.codepage);
    if (readings.empty()) return false;
    showPairs(controls, readings, settings);
    return true;
}

bool SensorSources::readWebServer(MainControls& controls, const StartupSettings& settings, uint32_t now) {
    if (settings.lhmPort == 0) return false;
    lhmNews_ = false;
    const bool fresh = !lhmReadings_.empty() && now - lhmAnsweredAt_ < kLhmAnswerFreshMs;
    if (fresh) showPairs(controls, lhmReadings_, settings);
    controls_ = &controls;
    settings_ = &settings;
    const bool due = !fresh || now - lhmAskedAt_ >= kLhmAskAgainMs;
    if (due && !lhmAsking_ && !(lhmRefused_ && now - lhmRefusedAt_ < kLhmBackOffMs)) {
        lhmAskedAt_ = now;
        askLhm(settings.lhmPort);
    }
    return fresh;
}

// The answer comes on the window's thread after the tick; the next tick takes it.
void SensorSources::askLhm(int port) {
    lhmAsking_ = true;
    std::weak_ptr<int> alive = lifetime_;
    platform_.sensorLookup.fetch(lhmUrl(port), [this, alive](const std::string& body) {
        if (alive.expired()) return;
        lhmAsking_ = false;
        const uint32_t now = platform_.clock.now();
        lhmRefused_ = body == kLhmRefused;
        if (lhmRefused_) lhmRefusedAt_ = now;
        std::vector<SensorValue> readings = parseLhmJson(body, platform_.codepage);
        // A failed answer leaves the last readings to count out their time; only readings make
        // the next tick read the server.
        lhmNews_ = !readings.empty();
        if (lhmNews_) {
            lhmReadings_ = std::move(readings);
            lhmAnsweredAt_ = now;
        }
        // The pairs the server fills show its answer now, not at the next tick.
        if (lhmNews_ && live_ == SensorSource::Lhm && controls_ && figures_)
            showPairs(*controls_, lhmReadings_, *settings_);
    });
}

void SensorSources::showPairs(MainControls& controls, const std::vector<SensorValue>& readings,
                              const StartupSettings& settings) {
    const SensorBlock pairs = readingPairs(readings, settings.sensorReadings, settings.tempLabel,
                                           platform_.system.decimalSeparator(), &platform_.codepage);
    for (int k = 0; k < kShownSensors; ++k) showSensorPair(controls, *figures_, k, pairs.readings[k], false);
}

void showSensorPair(MainControls& controls, LabelFigures& figures, int pair, const SensorReading& reading,
                    bool textsWhenHidden) {
    const auto& at = kPairLabels[pair];
    SensorFigure& figure = figures.sensors[pair];
    figure.shown = reading.shown;
    if (reading.shown || textsWhenHidden) {
        controls.setText(at.name, reading.name);
        controls.setText(at.value, reading.value);
        figure.value = reading.figure;
        figure.unit = reading.unit;
    }
    controls.label(at.name).visible = reading.shown;
    controls.label(at.value).visible = reading.shown;
}

}  // namespace tabrix
