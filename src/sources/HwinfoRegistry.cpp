#include "sources/HwinfoRegistry.h"

#include <string>

#include "platform/Codepage.h"
#include "platform/Error.h"
#include "platform/RegistryApi.h"

namespace tabrix {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of a group separator at `at` that is not a decimal point: a blank, a no-break or a
// narrow no-break space (UTF-8) or an apostrophe, each only between digits; 0 for none.
std::size_t groupBlankAt(const std::string& text, std::size_t at) {
    static const char* const kBlanks[] = {" ", "'", "\xC2\xA0", "\xE2\x80\xAF"};
    if (at == 0 || !isDigit(text[at - 1])) return 0;
    for (const char* blank : kBlanks) {
        const std::size_t n = std::char_traits<char>::length(blank);
        if (text.compare(at, n, blank) == 0 && at + n < text.size() && isDigit(text[at + n])) return n;
    }
    return 0;
}

// The unit after the number a display text starts with, group separators and all ("4,788.8 MHz"
// gives "MHz", "1 200 RPM" "RPM"); false when it starts with no digit.
bool unitAfterNumber(const std::string& utf8, std::string& unit) {
    std::size_t at = utf8.find_first_not_of(" \t");
    if (at == std::string::npos) return false;
    if (utf8[at] == '-' || utf8[at] == '+') ++at;
    if (at >= utf8.size() || !isDigit(utf8[at])) return false;
    while (at < utf8.size()) {
        if (isDigit(utf8[at]) || utf8[at] == '.' || utf8[at] == ',') {
            ++at;
        } else if (const std::size_t blank = groupBlankAt(utf8, at)) {
            at += blank;
        } else {
            break;
        }
    }
    const std::size_t first = utf8.find_first_not_of(" \t", at);
    unit = first == std::string::npos ? "" : utf8.substr(first, utf8.find_last_not_of(" \t") - first + 1);
    return true;
}

}  // namespace

bool hwinfoRegistryReading(const std::string& label, const std::string& valueText, const std::string& raw,
                           Codepage& codepage, SensorValue& reading) {
    std::string unit;
    try {
        // The degree sign is known in UTF-8 whatever bytes the code page gives it.
        if (!readNumber(raw, reading.value) || !unitAfterNumber(codepage.ansiToUtf8(valueText), unit))
            return false;
        reading.unit = codepage.utf8ToAnsi(unit);
    } catch (const Error&) {
        return false;
    }
    reading.label = label;
    reading.type = kindOfUnit(unit);
    return true;
}

std::vector<SensorValue> readHwinfoRegistry(RegistryKey& key, Codepage& codepage) {
    std::vector<SensorValue> readings;
    const std::size_t count = key.valueCount();
    std::size_t seen = 0;
    for (int n = 0; n < kHwinfoRegistryReadingsMax && seen < count; ++n) {
        const std::string number = std::to_string(n);
        std::string label, sensor, valueText, raw;
        // A number without its label is a gap: its other values are not asked for.
        if (!key.text("Label" + number, label)) continue;
        seen += 1 + key.text("Sensor" + number, sensor) + key.text("Value" + number, valueText) +
                key.text("ValueRaw" + number, raw);
        SensorValue reading;
        if (hwinfoRegistryReading(label, valueText, raw, codepage, reading))
            readings.push_back(std::move(reading));
    }
    return readings;
}

}  // namespace tabrix
