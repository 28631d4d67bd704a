#include "sources/SensorReadings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/AsciiText.h"
#include "platform/Codepage.h"
#include "sources/SystemFacts.h"

namespace tabrix {
namespace {

constexpr std::size_t kNameLength = 12;  // as the Motherboard Monitor names are cut
constexpr char kBlanks[] = " \t";

// The unit without a leading degree sign, in the system's code page or in UTF-8.
std::string withoutDegreeSign(const std::string& unit) {
    if (unit.rfind("\xC2\xB0", 0) == 0) return unit.substr(2);
    if (unit.rfind("\xB0", 0) == 0) return unit.substr(1);
    return unit;
}

bool isFahrenheit(const std::string& unit) {
    return !unit.empty() && unit.back() == 'F';
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the number at the start of text (sign, digits, at most one separator and the
// digits after it), 0 when there is none; `plain` gets it with "." as its separator.
std::size_t numberAtStart(const std::string& text, std::string& plain) {
    std::size_t i = 0;
    plain.clear();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) plain += text[i++];
    const std::size_t digitsFrom = i;
    while (i < text.size() && isDigit(text[i])) plain += text[i++];
    if (i == digitsFrom) return 0;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        plain += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) plain += text[i++];
    }
    return i;
}

bool numberOf(const std::string& plain, double& value) {
    value = std::strtod(plain.c_str(), nullptr);
    return std::isfinite(value);
}

// At most `decimals` decimals: R(x / 0.1) × 0.1 for one, as two are rounded elsewhere.
double rounded(double value, int decimals) {
    static const double kSteps[] = {1, 0.1, 0.01, 0.001};
    const double step = kSteps[decimals];
    const double scaled = R(value / step);
    return std::isfinite(scaled) ? scaled * step : value;
}

int decimalsOf(uint32_t kind) {
    switch (kind) {
        case kReadingTemperature:
        case kReadingFan:
        case kReadingUsage:
        case kReadingPower:
        case kReadingClock:
            return 1;
        case kReadingVoltage:
        case kReadingCurrent:
            return 3;
        default:
            return 2;
    }
}

}  // namespace

uint32_t kindOfUnit(const std::string& unit) {
    const std::string u = withoutDegreeSign(unit);
    if (u != unit && (u == "C" || u == "F")) return kReadingTemperature;
    static const struct {
        const char* unit;
        uint32_t kind;
    } kUnits[] = {{"V", kReadingVoltage}, {"A", kReadingCurrent}, {"W", kReadingPower}, {"RPM", kReadingFan},
                  {"MHz", kReadingClock}, {"GHz", kReadingClock}, {"%", kReadingUsage}};
    for (const auto& k : kUnits)
        if (unit == k.unit) return k.kind;
    return kReadingOther;
}

bool readNumber(const std::string& text, double& value) {
    const std::string t = trimmed(text);
    std::string plain;
    return !t.empty() && numberAtStart(t, plain) == t.size() && numberOf(plain, value);
}

bool splitValueText(const std::string& text, double& value, std::string& unit) {
    const std::string t = trimmed(text);
    std::string plain;
    const std::size_t length = numberAtStart(t, plain);
    if (length == 0 || !numberOf(plain, value)) return false;
    unit = trimmed(t.substr(length));
    return true;
}

ReadingChoice chooseReadings(const std::vector<SensorValue>& readings,
                             const std::string (&wanted)[kShownSensors]) {
    ReadingChoice slots;
    for (std::size_t& s : slots) s = kNoReading;
    auto shown = [&](std::size_t index) {
        for (std::size_t s : slots)
            if (s == index) return true;
        return false;
    };
    // Named readings first, so that a temperature named for a later pair is not also taken
    // by an earlier pair that falls back.
    for (int k = 0; k < kShownSensors; ++k) {
        if (wanted[k].empty()) continue;
        for (std::size_t i = 0; i < readings.size() && slots[k] == kNoReading; ++i)
            if (sameIgnoringCase(readings[i].label, wanted[k])) slots[k] = i;
    }
    std::size_t next = 0;
    for (int k = 0; k < kShownSensors; ++k) {
        if (slots[k] != kNoReading) continue;
        while (next < readings.size() && (readings[next].type != kReadingTemperature || shown(next))) ++next;
        if (next < readings.size()) slots[k] = next++;
    }
    return slots;
}

SensorReading readingTexts(const SensorValue& reading, const std::string& tempLabel, char decimalSeparator,
                           Codepage* codepage) {
    SensorReading r;
    const std::size_t nameBytes = codepage ? codepage->prefixBytes(reading.label, kNameLength)
                                           : std::min(kNameLength, reading.label.size());
    r.name = reading.label.substr(0, nameBytes) + ":";
    r.shown = true;
    if (reading.type == kReadingTemperature) {
        // Whatever bytes the code page gives the degree sign, the scale is the unit's last letter.
        const double celsius = isFahrenheit(reading.unit) ? (reading.value - 32) / 1.8 : reading.value;
        const int decimals = decimalsOf(kReadingTemperature);
        const bool fahrenheit = tempLabel == "*F";
        r.figure = rounded(fahrenheit ? celsius * 1.8 + 32 : celsius, decimals);
        r.unit = fahrenheit ? "*F" : "*C";
    } else {
        r.figure = rounded(reading.value, decimalsOf(reading.type));
        r.unit = reading.unit;
    }
    r.value = generalNumberText(r.figure, decimalSeparator);
    if (!r.unit.empty()) r.value += " " + r.unit;
    return r;
}

SensorBlock readingPairs(const std::vector<SensorValue>& readings, const std::string (&wanted)[kShownSensors],
                         const std::string& tempLabel, char decimalSeparator, Codepage* codepage) {
    SensorBlock pairs;
    pairs.valid = true;
    pairs.count = kShownSensors;
    const ReadingChoice chosen = chooseReadings(readings, wanted);
    for (int k = 0; k < kShownSensors; ++k)
        if (chosen[k] != kNoReading)
            pairs.readings[k] = readingTexts(readings[chosen[k]], tempLabel, decimalSeparator, codepage);
    return pairs;
}

}  // namespace tabrix
