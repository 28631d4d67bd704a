#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sources/SensorReadings.h"

namespace tabrix {

// HWiNFO publishes its sensor readings under this name when its shared memory is turned on.
constexpr char kHwinfoBlockName[] = "Global\\HWiNFO_SENS_SM2";
// A sane bound on the copy: thousands of readings fit in it, a hostile 2 GB view does not.
constexpr std::size_t kHwinfoBytesMax = 8u << 20;

struct HwinfoBlock {
    // false: absent, no longer published (signature) or damaged; nothing in it is to be shown.
    bool valid = false;
    std::vector<SensorValue> readings;  // in the block's order
};

// What the header says before the block is copied whole: the copy is taken when these read
// the same before and after it.
constexpr std::size_t kHwinfoHeaderBytes = 48;
struct HwinfoHeader {
    bool published = false;        // a whole header, signed "HWiS"
    uint64_t pollTime = 0;         // when the program last polled, by its own clock
    uint32_t pollingPeriodMs = 0;  // 0 where the header has none (revision 0)
    uint32_t readingCount = 0;
    uint64_t usedBytes = 0;  // where the later of the two sections ends
};
// Reads the header from the block's first kHwinfoHeaderBytes (or fewer, when it is shorter).
HwinfoHeader readHwinfoHeader(const std::string& bytes);

// Reads a copy of the block (at most its real size). Every offset, element size and count of
// the header is checked against the copy's size before anything is read.
HwinfoBlock parseHwinfoBlock(const unsigned char* bytes, std::size_t size);
HwinfoBlock parseHwinfoBlock(const std::string& bytes);

}  // namespace tabrix
