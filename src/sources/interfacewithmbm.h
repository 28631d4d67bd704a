#pragma once
#include <cstddef>
#include <string>

namespace tabrix {

// Motherboard Monitor 5 publishes its sensor table under this name.
constexpr char kSensorBlockName[] = "$M$B$M$5$S$D$";
// Only the five counts and the first three records are read: 88 + 3 x 80 bytes.
constexpr std::size_t kSensorBytesUsed = 328;
constexpr int kShownSensors = 3;

// The name and value texts of one sensor record, and whether its label pair is shown.
struct SensorReading {
    std::string name;    // up to 12 characters, cut at the first zero byte, then ":"
    std::string value;   // "45.5 *C", or "113.9 *F" when the unit is exactly "*F"
    bool shown = false;  // false for a value text starting "255" or "491" (no real reading)
    // The number and unit the value text was made from ("*C" or "*F" for a temperature).
    double figure = 0;
    std::string unit;
};

struct SensorBlock {
    bool valid = false;  // false: the block is too short for what it claims; touch nothing
    int count = 0;       // readings to show: the counts' sum, at most three, at least none
    SensorReading readings[kShownSensors];
};

// Reads the five counts and the first records from the block's bytes (a copy of at most its
// real size). Every field is read only within bytes.
SensorBlock parseSensorBlock(const std::string& bytes, const std::string& unit, char decimalSeparator);

}  // namespace tabrix
