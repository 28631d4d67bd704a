#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sources/interfacewithmbm.h"

namespace tabrix {

// HWiNFO publishes its sensor readings under this name when its shared memory is turned on.
constexpr char kHwinfoBlockName[] = "Global\\HWiNFO_SENS_SM2";
// A sane bound on the copy: thousands of readings fit in it, a hostile 2 GB view does not.
constexpr std::size_t kHwinfoBytesMax = 8u << 20;

// The block's reading types, as published.
enum HwinfoReadingType : uint32_t {
    kReadingNone = 0,
    kReadingTemperature = 1,
    kReadingVoltage = 2,
    kReadingFan = 3,
    kReadingCurrent = 4,
    kReadingPower = 5,
    kReadingClock = 6,
    kReadingUsage = 7,
    kReadingOther = 8,
};

// One reading element, its texts cut at their zero byte or at their field's end.
struct HwinfoReading {
    uint32_t type = kReadingNone;
    std::string label;  // the user's label, or the original one when the user's is empty
    std::string unit;   // "°C" (in the system code page), "V", "RPM", ...
    double value = 0;
};

struct HwinfoBlock {
    // false: absent, no longer published (signature) or damaged; nothing in it is to be shown.
    bool valid = false;
    std::vector<HwinfoReading> readings;  // in the block's order
};

// Reads a copy of the block (at most its real size). Every offset, element size and count of
// the header is checked against the copy's size before anything is read.
HwinfoBlock parseHwinfoBlock(const unsigned char* bytes, std::size_t size);
HwinfoBlock parseHwinfoBlock(const std::string& bytes);

// Which reading each of the three pairs shows: the one whose label wanted[k] names (matched
// without regard to case; an empty text names none), otherwise the next temperature reading
// in the block's order that no pair shows yet; kNoReading when there is none.
constexpr std::size_t kNoReading = static_cast<std::size_t>(-1);
using HwinfoChoice = std::array<std::size_t, kShownSensors>;
HwinfoChoice chooseHwinfoReadings(const std::vector<HwinfoReading>& readings,
                                  const std::string (&wanted)[kShownSensors]);

// The name and value texts of one reading: temperatures as the Motherboard Monitor pairs
// show them ("48 *C", "118.4 *F" when tempLabel is exactly "*F"), anything else its value
// with at most two decimals, a blank and its unit ("1.23 V").
SensorReading hwinfoReadingTexts(const HwinfoReading& reading, const std::string& tempLabel,
                                 char decimalSeparator);

// The three pairs from the block's bytes. valid false: leave every label as it is. A pair
// with no reading to show has shown false and empty texts: hide it, keep its texts.
SensorBlock readHwinfoPairs(const std::string& bytes, const std::string (&wanted)[kShownSensors],
                            const std::string& tempLabel, char decimalSeparator);

}  // namespace tabrix
