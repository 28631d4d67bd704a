#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tabrix {

// The published performance-data layout (32-bit Windows), as byte offsets. Only the
// fields the sampler reads are named.
namespace perf {
constexpr uint32_t kProcessorObject = 238;     // "Processor"
constexpr uint32_t kProcessorTimeCounter = 6;  // its idle-time counter, 100 ns units

// PERF_DATA_BLOCK
constexpr std::size_t kBlockTotalByteLength = 20;
constexpr std::size_t kBlockHeaderLength = 24;
constexpr std::size_t kBlockNumObjectTypes = 28;
constexpr std::size_t kBlockSystemTime = 36;  // SYSTEMTIME: eight 16-bit fields
constexpr std::size_t kBlockSize = 88;
// PERF_OBJECT_TYPE
constexpr std::size_t kObjectTotalByteLength = 0;
constexpr std::size_t kObjectDefinitionLength = 4;
constexpr std::size_t kObjectHeaderLength = 8;
constexpr std::size_t kObjectNameTitleIndex = 12;
constexpr std::size_t kObjectNumCounters = 32;
constexpr std::size_t kObjectNumInstances = 40;
constexpr std::size_t kObjectSize = 64;
// PERF_COUNTER_DEFINITION
constexpr std::size_t kCounterByteLength = 0;
constexpr std::size_t kCounterNameTitleIndex = 4;
constexpr std::size_t kCounterOffset = 36;
constexpr std::size_t kCounterDefinitionSize = 40;
// PERF_INSTANCE_DEFINITION
constexpr std::size_t kInstanceByteLength = 0;
constexpr std::size_t kInstanceSize = 24;
// PERF_COUNTER_BLOCK
constexpr std::size_t kCounterBlockByteLength = 0;
constexpr std::size_t kCounterBlockSize = 4;
}  // namespace perf

// Why the processor counters could not be read from a block.
enum class PerfFault {
    None,
    NoProcessorObject,  // missing, or the block or the object lies about its lengths
    NoTimeCounter,      // missing, or a definition, instance or counter block lies
};

struct ProcessorCounters {
    bool timeValid = false;       // SystemTime was a real calendar time
    int64_t time = 0;             // SystemTime as a FILETIME, 100 ns since 1601
    int32_t objectInstances = 0;  // the object's NumInstances
    std::vector<int64_t> idle;    // counter 6 of each instance walked, in listing order
};

// Reads the Processor object's idle counters from size bytes of performance data.
// instances is how many instances to walk, or -1 for the object's own NumInstances.
// Every offset and length is checked against the data; on a fault out is unspecified.
PerfFault readProcessorCounters(const uint8_t* data, std::size_t size, int32_t instances,
                                ProcessorCounters& out);

// SYSTEMTIME fields (year, month, day of week, day, hour, minute, second, millisecond)
// to a FILETIME count; false for a date that is not a real one.
bool systemTimeToFileTime(const uint16_t fields[8], int64_t& fileTime);

}  // namespace tabrix
