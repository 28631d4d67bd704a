#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tabrix {

// One sensor reading in its base unit.
struct MetricsSensor {
    std::string family;  // the metric's name after "tabrix_sensor_": "celsius", "rpm", "volts", ...
    std::string name;    // the reading's name as the window shows it, UTF-8
    std::string source;  // the program that gave it
    double value = 0;
};

// One drive of the free-space block.
struct MetricsDrive {
    std::string drive;  // "C:"
    uint64_t freeBytes = 0;
    uint64_t totalBytes = 0;
};

// Everything the metrics file tells, in base units, texts in UTF-8. A fact that is not known
// (no battery, no sensor program, its module off) is empty and stays out of the file.
struct MetricsSnapshot {
    std::string version;
    std::optional<std::string> cpuName;
    std::optional<std::string> windowsName;
    std::optional<double> cpuLoad;  // 0 to 1
    std::optional<uint64_t> physicalTotal;
    std::optional<uint64_t> physicalAvailable;
    std::optional<uint64_t> pageFileTotal;
    std::optional<uint64_t> pageFileAvailable;
    std::optional<uint64_t> virtualTotal;
    std::optional<uint64_t> virtualAvailable;
    std::optional<double> uptimeSeconds;
    std::vector<MetricsDrive> drives;
    std::optional<double> batteryCharge;  // 0 to 1
    std::optional<bool> acLine;
    std::vector<MetricsSensor> sensors;
    std::optional<bool> playerRunning;
    std::optional<std::string> song;
    std::optional<uint64_t> receivedBytes;  // since the program started
    std::optional<uint64_t> sentBytes;
};

// A label value of the text format: backslash, double quote and line feed escaped.
std::string metricsLabelValue(const std::string& utf8);

// The text exposition format 0.0.4: each family's HELP and TYPE once, then its samples, LF line
// ends, no timestamps, one sample per label set (a repeated sensor after the first stays out).
std::string metricsText(const MetricsSnapshot& facts);

}  // namespace tabrix
