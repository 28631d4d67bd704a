#pragma once
// The readings of the sensor programs read after Motherboard Monitor 5 (HWiNFO's shared memory
// and registry values, LibreHardwareMonitor's web server): which three the pairs show and how
// each reads.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sources/interfacewithmbm.h"

namespace tabrix {

class Codepage;

// What a reading measures: the codes of HWiNFO's block; the other sources' readings are
// classed by their unit.
enum ReadingKind : uint32_t {
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

// One reading as its program names it.
struct SensorValue {
    uint32_t type = kReadingNone;
    std::string label;  // as the program shows it (the user's own label where it has one)
    std::string unit;   // "°C" (in the system code page or UTF-8), "V", "RPM", ...
    double value = 0;
};

// The kind a unit names: °C or °F (the degree sign in the system code page, in UTF-8, or
// none), V, A, W, RPM, MHz or GHz, %; anything else is other.
uint32_t kindOfUnit(const std::string& unit);

// A number as the registry and the web server write it: digits with "." or "," as the
// decimal separator, an optional sign, blanks around it. False for anything else, including
// numbers too large for a double.
bool readNumber(const std::string& text, double& value);

// A display text such as "45.5 °C" split into its number and its unit ("°C"); false when it
// does not start with a number.
bool splitValueText(const std::string& text, double& value, std::string& unit);

// Which reading each of the three pairs shows: the one whose label wanted[k] names (matched
// without regard to case; an empty text names none), otherwise the next temperature reading
// in the program's order that no pair shows yet; kNoReading when there is none.
constexpr std::size_t kNoReading = static_cast<std::size_t>(-1);
using ReadingChoice = std::array<std::size_t, kShownSensors>;
ReadingChoice chooseReadings(const std::vector<SensorValue>& readings,
                             const std::string (&wanted)[kShownSensors]);

// The name and value texts of one reading: the label cut at 12 characters and ":"; the value
// with at most one decimal for temperatures, fans, usage, power and clocks, three for voltages
// and currents, two for anything else, without trailing zeros, the user's decimal separator.
// A temperature reads in Celsius ("53.1 *C") or, when tempLabel is exactly "*F", in Fahrenheit
// ("127.6 *F"), whatever unit the program gave; anything else keeps its unit ("1.208 V").
// The name is cut by whole characters of the code page when one is given, by bytes otherwise.
SensorReading readingTexts(const SensorValue& reading, const std::string& tempLabel, char decimalSeparator,
                           Codepage* codepage = nullptr);

// The three pairs from the readings: valid, and a pair with no reading to show has shown false
// and empty texts (hide it, keep its texts).
SensorBlock readingPairs(const std::vector<SensorValue>& readings, const std::string (&wanted)[kShownSensors],
                         const std::string& tempLabel, char decimalSeparator, Codepage* codepage = nullptr);

}  // namespace tabrix
