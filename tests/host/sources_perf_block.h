#pragma once
// Performance data blocks for the sampler's host tests.
#include <cstdint>
#include <cstring>
#include <vector>

#include "sources/PerfData.h"

namespace tabrix::perftest {

const char* const kNoObject = "Unable to locate the \"Processor\" performance object";
const char* const kNoCounter = "Unable to locate the \"% of CPU usage\" performance counter";

constexpr int64_t kSecond = 10000000;  // FILETIME ticks

// A performance data block as the system lays it out: a header with a system name, an
// unrelated object first, then the Processor object with two counter definitions (the
// idle counter second) and one instance per entry of idle. Offsets of the parts are
// kept so that tests can make any field lie.
struct Block {
    std::vector<uint8_t> bytes;
    std::size_t other = 0, processor = 0, secondCounter = 0;
    std::vector<std::size_t> instances, counterBlocks;

    void put16(std::size_t at, uint16_t v) { std::memcpy(&bytes[at], &v, 2); }
    void put32(std::size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); }
    void put64(std::size_t at, int64_t v) { std::memcpy(&bytes[at], &v, 8); }
    uint32_t get32(std::size_t at) const {
        uint32_t v;
        std::memcpy(&v, &bytes[at], 4);
        return v;
    }
    std::size_t grow(std::size_t n) {
        std::size_t at = bytes.size();
        bytes.resize(at + n, 0);
        return at;
    }
};

struct BlockShape {
    std::vector<int64_t> idle{0, 0, 0};
    int seconds = 0;  // of the SystemTime, 2026-12-07 08:00:00 plus this
    int milliseconds = 0;
    uint32_t processorTitle = 238;
    uint32_t counterTitle = 6;
    std::size_t padding = 0;  // extra bytes at the end, counted in TotalByteLength
};

inline Block build(const BlockShape& shape) {
    using namespace perf;
    Block b;
    b.grow(kBlockSize + 16);  // header and a UTF-16 system name
    b.put32(kBlockHeaderLength, static_cast<uint32_t>(b.bytes.size()));
    b.put32(kBlockNumObjectTypes, 2);
    const uint16_t time[8] = {2026,
                              12,
                              1,
                              7,
                              8,
                              static_cast<uint16_t>(shape.seconds / 60),
                              static_cast<uint16_t>(shape.seconds % 60),
                              static_cast<uint16_t>(shape.milliseconds)};
    for (int i = 0; i < 8; ++i) b.put16(kBlockSystemTime + 2 * i, time[i]);

    // An object without instances: header, one definition, one counter block.
    std::size_t other = b.other = b.grow(kObjectSize + kCounterDefinitionSize + 16);
    b.put32(other + kObjectTotalByteLength, kObjectSize + kCounterDefinitionSize + 16);
    b.put32(other + kObjectDefinitionLength, kObjectSize + kCounterDefinitionSize);
    b.put32(other + kObjectHeaderLength, kObjectSize);
    b.put32(other + kObjectNameTitleIndex, 2);
    b.put32(other + kObjectNumCounters, 1);
    b.put32(other + kObjectNumInstances, 0xFFFFFFFF);
    b.put32(other + kObjectSize + kCounterNameTitleIndex, 6);  // same index, other object
    b.put32(other + kObjectSize + kCounterDefinitionSize, 16);

    b.processor = b.grow(kObjectSize + 2 * kCounterDefinitionSize);
    b.put32(b.processor + kObjectDefinitionLength, kObjectSize + 2 * kCounterDefinitionSize);
    b.put32(b.processor + kObjectHeaderLength, kObjectSize);
    b.put32(b.processor + kObjectNameTitleIndex, shape.processorTitle);
    b.put32(b.processor + kObjectNumCounters, 2);
    b.put32(b.processor + kObjectNumInstances, static_cast<uint32_t>(shape.idle.size()));
    std::size_t first = b.processor + kObjectSize;
    b.put32(first + kCounterByteLength, kCounterDefinitionSize);
    b.put32(first + kCounterNameTitleIndex, 142);
    b.put32(first + kCounterOffset, 8);
    b.secondCounter = first + kCounterDefinitionSize;
    b.put32(b.secondCounter + kCounterByteLength, kCounterDefinitionSize);
    b.put32(b.secondCounter + kCounterNameTitleIndex, shape.counterTitle);
    b.put32(b.secondCounter + kCounterOffset, 16);
    for (int64_t idle : shape.idle) {
        std::size_t instance = b.grow(kInstanceSize + 8);  // with a UTF-16 name
        b.put32(instance + kInstanceByteLength, kInstanceSize + 8);
        std::size_t counters = b.grow(24);
        b.put32(counters + kCounterBlockByteLength, 24);
        b.put64(counters + 8, 12345);
        b.put64(counters + 16, idle);
        b.instances.push_back(instance);
        b.counterBlocks.push_back(counters);
    }
    b.put32(b.processor + kObjectTotalByteLength, static_cast<uint32_t>(b.bytes.size() - b.processor));
    b.grow(shape.padding);
    b.put32(kBlockTotalByteLength, static_cast<uint32_t>(b.bytes.size()));
    return b;
}

}  // namespace tabrix::perftest
