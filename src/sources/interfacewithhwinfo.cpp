#include "sources/interfacewithhwinfo.h"

#include <algorithm>
#include <cstring>

namespace tabrix {
namespace {

// The header: signature, version, revision, a 64-bit poll time, then offset, element size
// and count of the sensor section and of the reading section; revision 1 adds the polling
// period.
constexpr std::size_t kSignatureAt = 0;
constexpr std::size_t kRevisionAt = 8;
constexpr std::size_t kPollTimeAt = 12;
constexpr std::size_t kSensorSectionAt = 20;
constexpr std::size_t kReadingSectionAt = 32;
constexpr std::size_t kHeaderSize = 44;
constexpr std::size_t kPollingPeriodAt = 44;
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

// Where a section ends, in 64-bit arithmetic; an empty one takes no room wherever it says it is.
uint64_t sectionEnd(const unsigned char* descriptor) {
    const uint32_t count = uint32At(descriptor + 8);
    return count == 0 ? 0 : uint32At(descriptor) + uint64_t{uint32At(descriptor + 4)} * count;
}

}  // namespace

HwinfoHeader readHwinfoHeader(const std::string& bytes) {
    HwinfoHeader header;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < kHeaderSize || std::memcmp(p + kSignatureAt, kLiveSignature, 4) != 0) return header;
    header.published = true;
    header.pollTime = uint32At(p + kPollTimeAt) | uint64_t{uint32At(p + kPollTimeAt + 4)} << 32;
    if (uint32At(p + kRevisionAt) >= 1 && bytes.size() >= kPollingPeriodAt + 4)
        header.pollingPeriodMs = uint32At(p + kPollingPeriodAt);
    header.readingCount = uint32At(p + kReadingSectionAt + 8);
    header.usedBytes = std::max(sectionEnd(p + kSensorSectionAt), sectionEnd(p + kReadingSectionAt));
    return header;
}

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
        SensorValue r;
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

}  // namespace tabrix
