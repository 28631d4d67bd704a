#include "sources/interfacewithhwinfo.h"

#include <cstring>

#include "sources/SystemFacts.h"

namespace tabrix {
namespace {

// The header: signature, version, revision, a 64-bit poll time, then offset, element size
// and count of the sensor section and of the reading section; later revisions add more.
constexpr std::size_t kSignatureAt = 0;
constexpr std::size_t kSensorSectionAt = 20;
constexpr std::size_t kReadingSectionAt = 32;
constexpr std::size_t kHeaderSize = 44;
// "HWiS" while the program publishes; anything else (it writes "DEAD" when it stops) is not live.
constexpr char kLiveSignature[4] = {'H', 'W', 'i', 'S'};

// A reading element's fields; newer layouts append to it, so the header's size is the stride.
constexpr std::size_t kTypeAt = 0;
constexpr std::size_t kOriginalLabelAt = 12;
constexpr std::size_t kUserLabelAt = 140;
constexpr std::size_t kLabelLength = 128;
constexpr std::size_t kUnitAt = 268;
constexpr std::size_t kUnitLength = 16;
constexpr std::size_t kValueAt = 284;
constexpr std::size_t kReadingFieldsEnd = 316;  // value, minimum, maximum, average

constexpr std::size_t kNameLength = 12;  // as the Motherboard Monitor names are cut

uint32_t uint32At(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

double doubleAt(const unsigned char* p) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A fixed text field: up to its first zero byte, or all of it when it has none.
std::string fieldText(const unsigned char* p, std::size_t length) {
    const void* end = std::memchr(p, '\0', length);
    return std::string(reinterpret_cast<const char*>(p),
                       end ? static_cast<const unsigned char*>(end) - p : length);
}

// One section of the header: offset, element size and count, checked in 64-bit arithmetic
// (three 32-bit fields cannot overflow it) to lie after the header and within the copy.
bool sectionFits(const unsigned char* descriptor, std::size_t size, uint64_t minimumElement) {
    const uint64_t offset = uint32At(descriptor);
    const uint64_t element = uint32At(descriptor + 4);
    const uint64_t count = uint32At(descriptor + 8);
    if (count == 0) return true;
    return offset >= kHeaderSize && element >= minimumElement && offset + element * count <= size;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameLabel(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// "°F" in the system's code page, in UTF-8, or without the degree sign.
bool fahrenheitUnit(std::string unit) {
    if (unit.rfind("\xC2\xB0", 0) == 0)
        unit.erase(0, 2);
    else if (unit.rfind("\xB0", 0) == 0)
        unit.erase(0, 1);
    return unit == "F";
}

}  // namespace

HwinfoBlock parseHwinfoBlock(const unsigned char* bytes, std::size_t size) {
    HwinfoBlock block;
    if (size < kHeaderSize || std::memcmp(bytes + kSignatureAt, kLiveSignature, 4) != 0) return block;
    const unsigned char* readings = bytes + kReadingSectionAt;
    if (!sectionFits(bytes + kSensorSectionAt, size, 0) || !sectionFits(readings, size, kReadingFieldsEnd))
        return block;
    const std::size_t offset = uint32At(readings);
    const std::size_t element = uint32At(readings + 4);
    const std::size_t count = uint32At(readings + 8);
    block.valid = true;
    block.readings.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* p = bytes + offset + element * i;
        HwinfoReading r;
        r.type = uint32At(p + kTypeAt);
        r.label = fieldText(p + kUserLabelAt, kLabelLength);
        if (r.label.empty()) r.label = fieldText(p + kOriginalLabelAt, kLabelLength);
        r.unit = fieldText(p + kUnitAt, kUnitLength);
        r.value = doubleAt(p + kValueAt);
        block.readings.push_back(std::move(r));
    }
    return block;
}

HwinfoBlock parseHwinfoBlock(const std::string& bytes) {
    return parseHwinfoBlock(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

HwinfoChoice chooseHwinfoReadings(const std::vector<HwinfoReading>& readings,
                                  const std::string (&wanted)[kShownSensors]) {
    HwinfoChoice slots;
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
            if (sameLabel(readings[i].label, wanted[k])) slots[k] = i;
    }
    std::size_t next = 0;
    for (int k = 0; k < kShownSensors; ++k) {
        if (slots[k] != kNoReading) continue;
        while (next < readings.size() && (readings[next].type != kReadingTemperature || shown(next))) ++next;
        if (next < readings.size()) slots[k] = next++;
    }
    return slots;
}

SensorReading hwinfoReadingTexts(const HwinfoReading& reading, const std::string& tempLabel,
                                 char decimalSeparator) {
    SensorReading r;
    r.name = reading.label.substr(0, kNameLength) + ":";
    r.shown = true;
    if (reading.type == kReadingTemperature) {
        const double celsius = fahrenheitUnit(reading.unit) ? (reading.value - 32) / 1.8 : reading.value;
        r.value = tempLabel == "*F" ? generalNumberText(celsius * 1.8 + 32, decimalSeparator) + " *F"
                                    : generalNumberText(celsius, decimalSeparator) + " *C";
        return r;
    }
    r.value = generalNumberText(R(reading.value / 0.01) * 0.01, decimalSeparator);
    if (!reading.unit.empty()) r.value += " " + reading.unit;
    return r;
}

SensorBlock readHwinfoPairs(const std::string& bytes, const std::string (&wanted)[kShownSensors],
                            const std::string& tempLabel, char decimalSeparator) {
    SensorBlock pairs;
    const HwinfoBlock block = parseHwinfoBlock(bytes);
    if (!block.valid) return pairs;
    pairs.valid = true;
    pairs.count = kShownSensors;
    const HwinfoChoice chosen = chooseHwinfoReadings(block.readings, wanted);
    for (int k = 0; k < kShownSensors; ++k)
        if (chosen[k] != kNoReading)
            pairs.readings[k] = hwinfoReadingTexts(block.readings[chosen[k]], tempLabel, decimalSeparator);
    return pairs;
}

}  // namespace tabrix
