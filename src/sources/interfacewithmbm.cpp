#include "sources/interfacewithmbm.h"

#include <cstdint>
#include <cstring>

#include "sources/SystemFacts.h"

namespace tabrix {
namespace {

constexpr std::size_t kCountOffsets[] = {12, 20, 28, 36, 44};
constexpr std::size_t kCountsEnd = 48;
constexpr std::size_t kFirstRecord = 88;
constexpr std::size_t kRecordSize = 80;
constexpr std::size_t kNameOffset = 1;
constexpr std::size_t kNameLength = 12;
constexpr std::size_t kValueOffset = 16;

int32_t int32At(const std::string& bytes, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

double doubleAt(const std::string& bytes, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

SensorReading readRecord(const std::string& bytes, std::size_t record, const std::string& unit,
                         char decimalSeparator) {
    SensorReading r;
    const char* name = bytes.data() + record + kNameOffset;
    const void* end = std::memchr(name, '\0', kNameLength);
    r.name.assign(name, end ? static_cast<const char*>(end) - name : kNameLength);
    r.name += ":";
    const double v = doubleAt(bytes, record + kValueOffset);
    r.unit = unit == "*F" ? "*F" : "*C";
    r.figure = unit == "*F" ? v * 1.8 + 32 : v;
    r.value = generalNumberText(r.figure, decimalSeparator) + " " + r.unit;
    // 255 degrees Celsius, and the same converted to Fahrenheit, mean no sensor there.
    const std::string start = r.value.substr(0, 3);
    r.shown = start != "255" && start != "491";
    return r;
}

}  // namespace

SensorBlock parseSensorBlock(const std::string& bytes, const std::string& unit, char decimalSeparator) {
    SensorBlock block;
    if (bytes.size() < kCountsEnd) return block;
    // Five 32-bit counts cannot overflow a 64-bit sum.
    int64_t sum = 0;
    for (std::size_t offset : kCountOffsets) sum += int32At(bytes, offset);
    block.count = sum <= 0 ? 0 : sum < kShownSensors ? static_cast<int>(sum) : kShownSensors;
    if (bytes.size() < kFirstRecord + kRecordSize * block.count) {
        block.count = 0;
        return block;
    }
    block.valid = true;
    for (int i = 0; i < block.count; ++i)
        block.readings[i] = readRecord(bytes, kFirstRecord + kRecordSize * i, unit, decimalSeparator);
    return block;
}

}  // namespace tabrix
