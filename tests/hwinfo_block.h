#pragma once
// Builds HWiNFO's shared sensor block as it publishes it, for the host tests, the fuzz seeds
// and the fixture program: header, one sensor element, then the reading elements.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace hwinfo_block {

constexpr uint32_t kTemperature = 1, kVoltage = 2, kFan = 3;
constexpr uint32_t kHeaderSize = 48;  // revision 1: the polling period after the sections
constexpr uint32_t kSensorSize = 264;
constexpr uint32_t kReadingSize = 316;   // layout version 1; version 2 appends UTF-8 texts
constexpr std::size_t kReadingsAt = 32;  // header field: reading section offset, size, count
constexpr std::size_t kValueAt = 284;    // within a reading element
constexpr char kCelsius[] = "\260C";     // the degree sign in Windows-1252
constexpr char kFahrenheit[] = "\260F";

struct Reading {
    uint32_t type;
    std::string label;  // the original label
    std::string unit;
    double value;
    std::string userLabel = "";
};

inline void put32(std::string& b, std::size_t at, uint32_t v) {
    std::memcpy(&b[at], &v, 4);
}

inline std::string build(const std::vector<Reading>& readings, uint32_t readingSize = kReadingSize) {
    const std::size_t readingsAt = kHeaderSize + kSensorSize;
    std::string b(readingsAt + readingSize * readings.size(), '\0');
    std::memcpy(&b[0], "HWiS", 4);
    put32(b, 4, readingSize > kReadingSize ? 2 : 1);
    put32(b, 8, 1);
    put32(b, 20, kHeaderSize);
    put32(b, 24, kSensorSize);
    put32(b, 28, 1);
    put32(b, 32, static_cast<uint32_t>(readingsAt));
    put32(b, 36, readingSize);
    put32(b, 40, static_cast<uint32_t>(readings.size()));
    put32(b, 44, 2000);
    std::memcpy(&b[kHeaderSize + 8], "Board", 5);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const Reading& r = readings[i];
        const std::size_t at = readingsAt + readingSize * i;
        put32(b, at, r.type);
        put32(b, at + 8, static_cast<uint32_t>(i));
        std::memcpy(&b[at + 12], r.label.data(), r.label.size() < 128 ? r.label.size() : 128);
        std::memcpy(&b[at + 140], r.userLabel.data(), r.userLabel.size() < 128 ? r.userLabel.size() : 128);
        std::memcpy(&b[at + 268], r.unit.data(), r.unit.size() < 16 ? r.unit.size() : 16);
        for (std::size_t v = 0; v < 4; ++v) std::memcpy(&b[at + kValueAt + 8 * v], &r.value, 8);
    }
    return b;
}

// A name from outside with what a text format must escape: a quote, a backslash, a line break.
constexpr char kOddLabel[] = "C\"P\\U\n1";

// A voltage, a temperature of 55, the CPU fan, and temperatures of 48 and 33, in Celsius.
inline std::vector<Reading> fiveReadings() {
    return {{kVoltage, "Vcore", "V", 1.2345},
            {kTemperature, "CPU", kCelsius, 55},
            {kFan, "CPU Fan", "RPM", 1200},
            {kTemperature, "Motherboard", kCelsius, 48},
            {kTemperature, "Drive", kCelsius, 33}};
}

}  // namespace hwinfo_block
