#include "sources/PerfData.h"

namespace tabrix {

namespace {

using namespace perf;

// Little-endian reads that refuse to step outside [0, limit).
class Bytes {
public:
    Bytes(const uint8_t* data, std::size_t limit) : data_(data), limit_(limit) {}
    std::size_t limit() const { return limit_; }
    bool fits(uint64_t offset, uint64_t length) const {
        return offset <= limit_ && length <= limit_ - offset;
    }
    bool u16(uint64_t offset, uint16_t& v) const {
        if (!fits(offset, 2)) return false;
        v = static_cast<uint16_t>(data_[offset] | data_[offset + 1] << 8);
        return true;
    }
    bool u32(uint64_t offset, uint32_t& v) const {
        if (!fits(offset, 4)) return false;
        v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | data_[offset + i];
        return true;
    }
    bool i64(uint64_t offset, int64_t& v) const {
        if (!fits(offset, 8)) return false;
        uint64_t u = 0;
        for (int i = 7; i >= 0; --i) u = u << 8 | data_[offset + i];
        v = static_cast<int64_t>(u);
        return true;
    }

private:
    const uint8_t* data_;
    std::size_t limit_;
};

// Finds the Processor object; its start and end are set on success.
bool findProcessorObject(const Bytes& block, uint64_t& start, uint64_t& end) {
    uint32_t headerLength = 0, objectCount = 0;
    if (!block.u32(kBlockHeaderLength, headerLength) || !block.u32(kBlockNumObjectTypes, objectCount))
        return false;
    uint64_t object = headerLength;
    for (uint32_t i = 0; i < objectCount; ++i) {
        uint32_t title = 0, length = 0;
        if (!block.fits(object, kObjectSize) || !block.u32(object + kObjectNameTitleIndex, title) ||
            !block.u32(object + kObjectTotalByteLength, length))
            return false;
        // An object shorter than its own header cannot be stepped over or read.
        if (length < kObjectSize || !block.fits(object, length)) return false;
        if (title == kProcessorObject) {
            start = object;
            end = object + length;
            return true;
        }
        object += length;
    }
    return false;
}

// Offset of counter 6's value inside each counter block.
bool findTimeCounter(const Bytes& object, uint32_t& counterOffset) {
    uint32_t headerLength = 0, definitionLength = 0, counters = 0;
    object.u32(kObjectHeaderLength, headerLength);
    object.u32(kObjectDefinitionLength, definitionLength);
    object.u32(kObjectNumCounters, counters);
    // The definitions stand between the object's header and its first instance.
    if (headerLength < kObjectSize || definitionLength < headerLength || definitionLength > object.limit())
        return false;
    uint64_t at = headerLength;
    for (uint32_t i = 0; i < counters; ++i) {
        uint32_t length = 0, title = 0;
        if (at > definitionLength || definitionLength - at < kCounterDefinitionSize) return false;
        object.u32(at + kCounterByteLength, length);
        object.u32(at + kCounterNameTitleIndex, title);
        if (length < kCounterDefinitionSize) return false;
        if (title == kProcessorTimeCounter) {
            object.u32(at + kCounterOffset, counterOffset);
            return true;
        }
        at += length;
    }
    return false;
}

bool walkInstances(const Bytes& object, uint32_t counterOffset, int32_t count, std::vector<int64_t>& idle) {
    uint32_t definitionLength = 0;
    object.u32(kObjectDefinitionLength, definitionLength);
    idle.clear();
    uint64_t instance = definitionLength;
    for (int32_t i = 0; i < count; ++i) {
        uint32_t instanceLength = 0, blockLength = 0;
        if (!object.u32(instance + kInstanceByteLength, instanceLength) || instanceLength < kInstanceSize)
            return false;
        uint64_t block = instance + instanceLength;
        if (!object.u32(block + kCounterBlockByteLength, blockLength) || blockLength < kCounterBlockSize ||
            !object.fits(block, blockLength))
            return false;
        // The value must lie inside its own counter block, not merely inside the object.
        if (uint64_t(counterOffset) + 8 > blockLength) return false;
        int64_t value = 0;
        object.i64(block + counterOffset, value);
        idle.push_back(value);
        instance = block + blockLength;
    }
    return true;
}

constexpr int64_t kTicksPerMillisecond = 10000;
constexpr int64_t kTicksPerDay = 86400000LL * kTicksPerMillisecond;

// Days from 1970-01-01 in the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

bool leapYear(unsigned y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

}  // namespace

bool systemTimeToFileTime(const uint16_t f[8], int64_t& fileTime) {
    static const unsigned monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    unsigned year = f[0], month = f[1], day = f[3];
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1) return false;
    unsigned lastDay = monthDays[month - 1] + (month == 2 && leapYear(year) ? 1 : 0);
    if (day > lastDay || f[4] > 23 || f[5] > 59 || f[6] > 59 || f[7] > 999) return false;
    int64_t days = daysFromCivil(year, month, day) - daysFromCivil(1601, 1, 1);
    int64_t ms = ((int64_t(f[4]) * 60 + f[5]) * 60 + f[6]) * 1000 + f[7];
    fileTime = days * kTicksPerDay + ms * kTicksPerMillisecond;
    return true;
}

PerfFault readProcessorCounters(const uint8_t* data, std::size_t size, int32_t instances,
                                ProcessorCounters& out) {
    Bytes whole(data, size);
    uint32_t blockLength = 0;
    // A block that claims more bytes than arrived was cut short.
    if (!whole.fits(0, kBlockSize) || !whole.u32(kBlockTotalByteLength, blockLength) ||
        blockLength < kBlockSize || blockLength > size)
        return PerfFault::NoProcessorObject;
    Bytes block(data, blockLength);

    uint64_t start = 0, end = 0;
    if (!findProcessorObject(block, start, end)) return PerfFault::NoProcessorObject;
    Bytes object(data + start, static_cast<std::size_t>(end - start));

    uint32_t counterOffset = 0;
    if (!findTimeCounter(object, counterOffset)) return PerfFault::NoTimeCounter;

    uint32_t numInstances = 0;
    object.u32(kObjectNumInstances, numInstances);
    out.objectInstances = static_cast<int32_t>(numInstances);
    int32_t count = instances < 0 ? out.objectInstances : instances;
    // Each instance takes at least a definition and a counter block: a count beyond
    // what the object can hold is a lie, and would only cost a large allocation.
    if (count < 0 || uint64_t(count) * (kInstanceSize + kCounterBlockSize) > object.limit())
        return PerfFault::NoTimeCounter;
    if (!walkInstances(object, counterOffset, count, out.idle)) return PerfFault::NoTimeCounter;

    uint16_t fields[8];
    for (int i = 0; i < 8; ++i) block.u16(kBlockSystemTime + 2 * i, fields[i]);
    out.timeValid = systemTimeToFileTime(fields, out.time);
    return PerfFault::None;
}

}  // namespace tabrix
