// libFuzzer target over HWiNFO's shared sensor block: any bytes as the copy of the view, its
// header read, the block parsed, then read into the three pairs with a named reading and the
// Fahrenheit mode.
// Built and run by scripts/fuzz.sh hwinfo.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sources/interfacewithhwinfo.h"

#define check(ok) \
    ((ok) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d\n", __LINE__), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tabrix::HwinfoBlock block = tabrix::parseHwinfoBlock(data, size);
    if (!block.valid) check(block.readings.empty());
    // Every element read lies within the bytes, at least as long as its value fields.
    check(block.readings.size() * 316 <= size);
    for (const tabrix::SensorValue& r : block.readings) check(r.label.size() <= 128 && r.unit.size() <= 16);

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The header as read before a copy: a block that parses is published, and all it says it
    // uses lies within the bytes.
    const tabrix::HwinfoHeader header = tabrix::readHwinfoHeader(bytes.substr(0, tabrix::kHwinfoHeaderBytes));
    if (block.valid) check(header.published && header.readingCount == block.readings.size());
    if (!block.readings.empty()) check(header.usedBytes <= size);

    const std::string wanted[3] = {"", "CPU Fan", "vcore"};
    const tabrix::SensorBlock pairs =
        block.valid ? tabrix::readingPairs(block.readings, wanted, size % 2 ? "*F" : "*C", ',')
                    : tabrix::SensorBlock{};
    check(pairs.valid == block.valid);
    for (const tabrix::SensorReading& r : pairs.readings) check(r.name.size() <= 13);
    return 0;
}
