#include "report/MetricsReport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>

namespace tabrix {
namespace {

struct Label {
    const char* name;
    std::string value;
};

struct Sample {
    std::vector<Label> labels;
    std::string value;
};

// Whole numbers in full ("3600000000", not "3.6e+09"), others in the shortest text that reads
// back as the same double.
std::string numberText(double value) {
    constexpr double kExactLimit = 9007199254740992.0;  // 2^53
    if (std::fabs(value) < kExactLimit && value == std::trunc(value))
        return std::to_string(static_cast<int64_t>(value));
    // The fewest digits that read back as the same number (std::to_chars would bring in a C
    // library function that Windows XP's does not have).
    char out[32];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(out, sizeof out, "%.*g", digits, value);
        if (std::strtod(out, nullptr) == value) break;
    }
    return out;
}

std::string numberText(uint64_t value) {
    return std::to_string(value);
}

// One metric family: written only when it has a sample, its HELP and TYPE lines once.
class Family {
public:
    Family(std::string name, const char* type, const char* help)
        : name_(std::move(name)), type_(type), help_(help) {}

    void add(std::vector<Label> labels, std::string value) {
        samples_.push_back({std::move(labels), std::move(value)});
    }
    template <typename T>
    void add(const std::optional<T>& value) {
        if (value) add({}, numberText(*value));
    }

    void writeTo(std::string& out) const {
        if (samples_.empty()) return;
        out += "# HELP " + name_ + " " + help_ + "\n";
        out += "# TYPE " + name_ + " " + type_ + "\n";
        for (const Sample& s : samples_) {
            out += name_;
            if (!s.labels.empty()) {
                out += "{";
                for (std::size_t i = 0; i < s.labels.size(); ++i) {
                    if (i) out += ",";
                    out +=
                        std::string(s.labels[i].name) + "=\"" + metricsLabelValue(s.labels[i].value) + "\"";
                }
                out += "}";
            }
            out += " " + s.value + "\n";
        }
    }

private:
    std::string name_;
    const char* type_;
    const char* help_;
    std::vector<Sample> samples_;
};

constexpr char kGauge[] = "gauge";
constexpr char kCounter[] = "counter";

// The sensor families in the order written, with their HELP texts.
constexpr struct {
    const char* family;
    const char* help;
} kSensorFamilies[] = {
    {"celsius", "Temperature a sensor program reads, in degrees Celsius."},
    {"rpm", "Fan speed a sensor program reads, in revolutions per minute."},
    {"volts", "Voltage a sensor program reads."},
    {"amperes", "Current a sensor program reads."},
    {"watts", "Power a sensor program reads."},
    {"hertz", "Clock a sensor program reads."},
    {"ratio", "Usage a sensor program reads, 0 to 1."},
};

void writeSensors(const std::vector<MetricsSensor>& sensors, std::string& out) {
    // Two readings under one name (names are cut to what the window shows) would be one label set.
    std::set<std::pair<std::string, std::pair<std::string, std::string>>> written;
    for (const auto& kind : kSensorFamilies) {
        Family f(std::string("tabrix_sensor_") + kind.family, kGauge, kind.help);
        for (const MetricsSensor& s : sensors) {
            if (s.family != kind.family || !std::isfinite(s.value)) continue;
            if (!written.insert({s.family, {s.name, s.source}}).second) continue;
            f.add({{"sensor", s.name}, {"source", s.source}}, numberText(s.value));
        }
        f.writeTo(out);
    }
}

void writeDrives(const std::vector<MetricsDrive>& drives, std::string& out) {
    Family free("tabrix_drive_free_bytes", kGauge,
                "Free space of a drive of the free-space block, to the user.");
    Family size("tabrix_drive_size_bytes", kGauge, "Size of a drive of the free-space block.");
    std::set<std::string> written;
    for (const MetricsDrive& d : drives) {
        if (!written.insert(d.drive).second) continue;
        free.add({{"drive", d.drive}}, numberText(d.freeBytes));
        size.add({{"drive", d.drive}}, numberText(d.totalBytes));
    }
    free.writeTo(out);
    size.writeTo(out);
}

template <typename T>
void writeOne(std::string& out, const char* name, const char* type, const char* help,
              const std::optional<T>& value) {
    Family f(name, type, help);
    f.add(value);
    f.writeTo(out);
}

std::optional<double> finite(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? value : std::nullopt;
}

std::optional<uint64_t> flag(const std::optional<bool>& value) {
    return value ? std::optional<uint64_t>(*value ? 1 : 0) : std::nullopt;
}

}  // namespace

std::string metricsLabelValue(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string metricsText(const MetricsSnapshot& m) {
    std::string out;
    writeOne(out, "tabrix_cpu_load_ratio", kGauge, "Processor load the window shows, 0 to 1.",
             finite(m.cpuLoad));
    writeOne(out, "tabrix_memory_physical_total_bytes", kGauge, "Physical memory.", m.physicalTotal);
    writeOne(out, "tabrix_memory_physical_available_bytes", kGauge, "Physical memory available.",
             m.physicalAvailable);
    writeOne(out, "tabrix_memory_page_file_total_bytes", kGauge,
             "Commit limit: physical memory and page file.", m.pageFileTotal);
    writeOne(out, "tabrix_memory_page_file_available_bytes", kGauge, "Commit limit not yet committed.",
             m.pageFileAvailable);
    writeOne(out, "tabrix_memory_virtual_total_bytes", kGauge,
             "User-mode address space of the Tabrix process.", m.virtualTotal);
    writeOne(out, "tabrix_memory_virtual_available_bytes", kGauge,
             "User-mode address space of the Tabrix process not yet reserved.", m.virtualAvailable);
    writeOne(out, "tabrix_uptime_seconds", kGauge,
             "Time since Windows started (its millisecond tick, which starts over after 49.7 days).",
             finite(m.uptimeSeconds));
    writeDrives(m.drives, out);
    writeOne(out, "tabrix_battery_charge_ratio", kGauge, "Battery charge, 0 to 1.", finite(m.batteryCharge));
    writeOne(out, "tabrix_power_ac_line", kGauge, "1 while the machine runs on mains power, 0 on battery.",
             flag(m.acLine));
    writeSensors(m.sensors, out);
    writeOne(out, "tabrix_network_received_bytes_total", kCounter,
             "Bytes received on the traffic meter's interface since Tabrix started.", m.receivedBytes);
    writeOne(out, "tabrix_network_sent_bytes_total", kCounter,
             "Bytes sent on the traffic meter's interface since Tabrix started.", m.sentBytes);
    writeOne(out, "tabrix_player_running", kGauge, "1 while the media player runs, 0 when it does not.",
             flag(m.playerRunning));
    if (m.song) {
        Family song("tabrix_player_info", kGauge, "The song the media player shows, as a label; always 1.");
        song.add({{"song", *m.song}}, "1");
        song.writeTo(out);
    }
    // Last, so that a reader knows a file that ends with it is whole.
    Family info("tabrix_info", kGauge,
                "Tabrix's version, the processor and the running Windows, as labels; always 1.");
    std::vector<Label> labels{{"version", m.version}};
    if (m.cpuName) labels.push_back({"processor", *m.cpuName});
    if (m.windowsName) labels.push_back({"windows", *m.windowsName});
    info.add(std::move(labels), "1");
    info.writeTo(out);
    return out;
}

}  // namespace tabrix
