#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/JsonReport.h"
#include "sources/HwinfoMemoryReader.h"
#include "sources/SensorReadings.h"

namespace tabrix {

struct Platform;
class MainControls;
struct StartupSettings;

// Where the sensor pairs come from: Off (the module is off), None (no sensor program answers)
// or one of the sources, whose order of precedence is SensorSources' list.
enum class SensorSource { Off, None, Mbm, HwinfoMemory, HwinfoRegistry, Lhm };
// The Settings window's words for it; "" for Off.
// The program it is, as the metrics report names it; "" for Off and None.
const char* sensorSourceText(SensorSource source);
const char* sensorProgramName(SensorSource source);

// Shows one of the kShownSensors pairs (0 first) in its name and value labels; a hidden
// pair's texts are written only when textsWhenHidden.
// The pair's figures follow the labels.
void showSensorPair(MainControls& controls, LabelFigures& figures, int pair, const SensorReading& reading,
                    bool textsWhenHidden);

// A source that does not answer is looked for again this long after the last look.
constexpr uint32_t kSensorLookAgainMs = 5000;
// The web server is not asked again for this long after it refused a connection.
constexpr uint32_t kLhmBackOffMs = 30000;
// Its last readings count for this long after the answer that brought them, failures or not.
constexpr uint32_t kLhmAnswerFreshMs = 5000;
// While it answers it is asked again at the first tick this long after the last request: every
// other tick (2 seconds; the tick's timer is not exact). Each answer is shown as it comes, so a
// change shows within 2 seconds.
constexpr uint32_t kLhmAskAgainMs = 1500;

// The sensor pairs' sources, tried in order of precedence: Motherboard Monitor 5's block,
// HWiNFO's shared memory, HWiNFO's registry values, LibreHardwareMonitor's web server. The one
// that answered last is read on every tick; the others are looked for at most every
// kSensorLookAgainMs, and at once, after it, when it stops answering.
class SensorSources {
public:
    explicit SensorSources(Platform& platform);
    ~SensorSources();
    SensorSources(const SensorSources&) = delete;
    friend const char* sensorSourceText(SensorSource source);
    friend const char* sensorProgramName(SensorSource source);
    SensorSources& operator=(const SensorSources&) = delete;

    // The refresh tick's sensor step: writes the pairs and their figures (or leaves them, as with
    // no block); true when the live source changed.
    bool refresh(MainControls& controls, const StartupSettings& settings, LabelFigures& figures);
    SensorSource live() const { return live_; }

private:
    // A source of the precedence list, its names and its reader.
    struct Row;
    static const Row kSources[];
    static const Row* row(SensorSource source);

    bool readMbm(MainControls& controls, const StartupSettings& settings, uint32_t now);
    bool readMemory(MainControls& controls, const StartupSettings& settings, uint32_t now);
    bool readRegistry(MainControls& controls, const StartupSettings& settings, uint32_t now);
    bool readWebServer(MainControls& controls, const StartupSettings& settings, uint32_t now);
    void showPairs(MainControls& controls, const std::vector<SensorValue>& readings,
                   const StartupSettings& settings);
    void askLhm(int port);

    Platform& platform_;
    // Where the tick under way keeps the pairs' figures.
    LabelFigures* figures_ = nullptr;
    HwinfoMemoryReader memory_;
    SensorSource live_ = SensorSource::Off;
    bool looked_ = false;
    uint32_t lookedAt_ = 0;
    // The web server's last answer with readings, when it came, whether one came since the
    // server was last read; the fetch under way; the last refusal.
    std::vector<SensorValue> lhmReadings_;
    uint32_t lhmAnsweredAt_ = 0;
    bool lhmNews_ = false;
    bool lhmAsking_ = false;
    uint32_t lhmAskedAt_ = 0;
    // Where the last tick showed the pairs, for an answer shown as it comes.
    MainControls* controls_ = nullptr;
    const StartupSettings* settings_ = nullptr;
    bool lhmRefused_ = false;
    uint32_t lhmRefusedAt_ = 0;
    // Expires with the window: an answer that arrives later sees it gone.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

}  // namespace tabrix
