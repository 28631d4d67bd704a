#include "report/MetricsFacts.h"

#include "sources/WAmpMsg.h"

namespace tabrix {
namespace {

constexpr uint8_t kOnBattery = 0;
constexpr uint8_t kOnMains = 1;
constexpr uint8_t kNoSystemBattery = 128;  // a bit of SYSTEM_POWER_STATUS's battery flag
constexpr uint8_t kFullCharge = 100;

// A unit as the sensor pairs hold it, and its family with the way into the base unit:
// (value + offset) * times / over, so that 113 *F reads exactly 45.
constexpr struct {
    const char* unit;
    const char* family;
    double offset;
    double times;
    double over;
} kSensorUnits[] = {
    {"*C", "celsius", 0, 1, 1},  {"*F", "celsius", -32, 5, 9}, {"RPM", "rpm", 0, 1, 1},
    {"V", "volts", 0, 1, 1},     {"A", "amperes", 0, 1, 1},    {"W", "watts", 0, 1, 1},
    {"MHz", "hertz", 0, 1e6, 1}, {"GHz", "hertz", 0, 1e9, 1},  {"%", "ratio", 0, 1, 100},
};

class Builder {
public:
    Builder(const ReportLabels& labels, const MetricsTick& tick, Codepage& codepage)
        : l_(labels), t_(tick), f_(tick.figures), on_(tick.facts), codepage_(codepage) {}

    MetricsSnapshot build() {
        MetricsSnapshot m;
        m.version = text(l_.version);
        if (on_[Fact::CpuName]) m.cpuName = text(l_[Fact::CpuName]);
        if (on_[Fact::Windows]) m.windowsName = text(l_[Fact::Windows]);
        if (on_[Fact::CpuUsage]) m.cpuLoad = f_.cpuLoad;
        memory(m);
        if (on_[Fact::Uptime] && f_.uptimeMs) m.uptimeSeconds = *f_.uptimeMs / 1000.0;
        if (on_[Fact::Drives] && f_.drives)
            for (const DriveSpace& d : *f_.drives)
                m.drives.push_back(
                    {std::string(1, static_cast<char>('A' + d.drive - 1)) + ":", d.freeBytes, d.totalBytes});
        if (on_[Fact::Battery] && f_.power) power(*f_.power, m);
        if (on_[Fact::Sensor1] && !f_.sensorProgram.empty()) sensors(m);
        if (on_[Fact::Song] && f_.song) {
            m.playerRunning = *f_.song != kPlayerNotRunning;
            if (*m.playerRunning) m.song = text(*f_.song);
        }
        if (on_[Fact::Download]) {
            m.receivedBytes = t_.receivedTotal;
            m.sentBytes = t_.sentTotal;
        }
        return m;
    }

private:
    std::string text(const std::string& ansi) { return codepage_.asciiOrUtf8(ansi); }

    void memory(MetricsSnapshot& m) {
        if (!f_.memory) return;
        const MemoryStatus& s = *f_.memory;
        if (on_[Fact::Memory]) {
            m.physicalTotal = s.totalPhys;
            m.physicalAvailable = s.availPhys;
            // A size of 0 was never read: no address space is empty.
            if (s.totalVirtual != 0) {
                m.virtualTotal = s.totalVirtual;
                m.virtualAvailable = s.availVirtual;
            }
        }
        if (on_[Fact::PageFile]) {
            m.pageFileTotal = s.totalPageFile;
            m.pageFileAvailable = s.availPageFile;
        }
    }

    static void power(const PowerStatus& p, MetricsSnapshot& m) {
        if (p.acLineStatus == kOnBattery || p.acLineStatus == kOnMains) m.acLine = p.acLineStatus == kOnMains;
        const bool battery = (p.batteryFlag & kNoSystemBattery) == 0;
        if (battery && p.batteryLifePercent <= kFullCharge) m.batteryCharge = p.batteryLifePercent / 100.0;
    }

    // The shown pairs, named as the window names them without the colon.
    void sensors(MetricsSnapshot& m) {
        for (int k = 0; k < kShownSensors; ++k) {
            const SensorFigure& figure = f_.sensors[k];
            if (!figure.shown) continue;
            for (const auto& u : kSensorUnits) {
                if (figure.unit != u.unit) continue;
                std::string name = l_.caption[kSensorFacts[k]];
                if (!name.empty() && name.back() == ':') name.pop_back();
                m.sensors.push_back(
                    {u.family, text(name), f_.sensorProgram, (figure.value + u.offset) * u.times / u.over});
            }
        }
    }

    const ReportLabels& l_;
    const MetricsTick& t_;
    const LabelFigures& f_;
    const JsonFacts& on_;
    Codepage& codepage_;
};

}  // namespace

std::string metricsPath(const std::string& configured, const std::string& stem) {
    return configured.empty() ? stem + ".prom" : configured;
}

MetricsSnapshot metricsSnapshot(const ReportLabels& labels, const MetricsTick& tick, Codepage& codepage) {
    return Builder(labels, tick, codepage).build();
}

}  // namespace tabrix
