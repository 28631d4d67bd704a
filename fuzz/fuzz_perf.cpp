// libFuzzer target over the performance-data walker: any bytes as the block the system
// answers with, walked for the object's own instance count or a fixed one, and any
// eight 16-bit fields as its time stamp. Built and run by scripts/fuzz.sh perf.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sources/PerfData.h"

#define check(ok) \
    ((ok) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d\n", __LINE__), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first byte picks the instance count: the object's own, or a small fixed one.
    const std::int32_t instances = data[0] < 128 ? -1 : data[0] - 128;
    ++data;
    --size;
    tabrix::ProcessorCounters out;
    const tabrix::PerfFault fault = tabrix::readProcessorCounters(data, size, instances, out);
    if (fault == tabrix::PerfFault::None) {
        // Each instance walked holds at least its definition and its counter block.
        check(out.idle.size() * (tabrix::perf::kInstanceSize + tabrix::perf::kCounterBlockSize) <= size);
        if (instances >= 0) check(out.idle.size() == static_cast<std::size_t>(instances));
    }
    if (size >= 16) {
        std::uint16_t fields[8];
        std::memcpy(fields, data, sizeof fields);
        std::int64_t fileTime = -1;
        if (tabrix::systemTimeToFileTime(fields, fileTime)) check(fileTime >= 0);
    }
    return 0;
}
