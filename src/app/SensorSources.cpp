#include "app/SensorSources.h"

#include "app/Unit1.h"
#include "platform/HttpApi.h"
#include "platform/RegistryApi.h"
#include "platform/ShellApi.h"
#include "platform/SystemApi.h"
#include "sources/HwinfoRegistry.h"
#include "sources/LhmWebServer.h"

namespace tabrix {
namespace {

constexpr SensorSource kPrecedence[] = {SensorSource::Mbm, SensorSource::HwinfoMemory,
                                        SensorSource::HwinfoRegistry, SensorSource::Lhm};

// The name and value labels of the three pairs.
constexpr struct {
    int name;
    int value;
} kPairLabels[kShownSensors] = {{kLabelSensor1Name, kLabelSensor1Value},
                                {kLabelSensor2Name, kLabelSensor2Value},
                                {kLabelSensor3Name, kLabelSensor3Value}};

}  // namespace

const char* sensorSourceText(SensorSource source) {
    switch (source) {
        case SensorSource::None:
            return "no sensor program found";
        case SensorSource::Mbm:
            return "Motherboard Monitor 5";
        case SensorSource::HwinfoMemory:
            return "HWiNFO (shared memory)";
        case SensorSource::HwinfoRegistry:
            return "HWiNFO (registry)";
        case SensorSource::Lhm:
            return "LibreHardwareMonitor";
        case SensorSource::Off:
            break;
    }
    return "";
}

SensorSources::SensorSources(Platform& platform) : platform_(platform), memory_(platform.sharedMemory) {}

SensorSources::~SensorSources() = default;

bool SensorSources::refresh(MainControls& controls, const StartupSettings& settings) {
    const uint32_t now = platform_.clock.now();
    const bool look = !looked_ || now - lookedAt_ >= kSensorLookAgainMs;
    bool lost = false;
    SensorSource found = SensorSource::None;
    for (SensorSource source : kPrecedence) {
        const bool due = source == live_ || look || lost || (source == SensorSource::Lhm && lhmNews_);
        if (!due) continue;
        if (read(source, controls, settings, now)) {
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
    return changed;
}

bool SensorSources::read(SensorSource source, MainControls& controls, const StartupSettings& settings,
                         uint32_t now) {
    switch (source) {
        case SensorSource::Mbm:
            return ReadMBM5Data(platform_, controls, settings.tempLabel);
        case SensorSource::HwinfoMemory:
            return readMemory(controls, settings, now);
        case SensorSource::HwinfoRegistry:
            return readRegistry(controls, settings);
        case SensorSource::Lhm:
            return readWebServer(controls, settings, now);
        default:
            return false;
    }
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

bool SensorSources::readRegistry(MainControls& controls, const StartupSettings& settings) {
    const std::unique_ptr<RegistryKey> key = platform_.registry.openCurrentUser(kHwinfoRegistryKey);
    if (!key) return false;
    const std::vector<SensorValue> readings = readHwinfoRegistry(*key);
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
        lhmAnsweredAt_ = platform_.clock.now();
        lhmRefused_ = body == kLhmRefused;
        if (lhmRefused_) lhmRefusedAt_ = lhmAnsweredAt_;
        lhmReadings_ = parseLhmJson(body);
        // Only readings make the next tick read the server; a failure waits for the next look.
        lhmNews_ = !lhmReadings_.empty();
        // The pairs the server fills show its answer now, not at the next tick.
        if (lhmNews_ && live_ == SensorSource::Lhm && controls_)
            showPairs(*controls_, lhmReadings_, *settings_);
    });
}

void SensorSources::showPairs(MainControls& controls, const std::vector<SensorValue>& readings,
                              const StartupSettings& settings) {
    const SensorBlock pairs = readingPairs(readings, settings.sensorReadings, settings.tempLabel,
                                           platform_.system.decimalSeparator());
    for (int k = 0; k < kShownSensors; ++k) showSensorPair(controls, k, pairs.readings[k], false);
}

void showSensorPair(MainControls& controls, int pair, const SensorReading& reading, bool textsWhenHidden) {
    const auto& at = kPairLabels[pair];
    if (reading.shown || textsWhenHidden) {
        controls.setText(at.name, reading.name);
        controls.setText(at.value, reading.value);
    }
    controls.label(at.name).visible = reading.shown;
    controls.label(at.value).visible = reading.shown;
}

}  // namespace tabrix
