#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sources/SensorReadings.h"

namespace tabrix {

class SharedMemoryApi;
class SharedView;

// HWiNFO's block counts as stopped when its poll time has not moved for this long, or for
// five of its polling periods when that is longer (a period over a minute counts as a minute).
constexpr uint32_t kHwinfoStoppedMs = 5000;
constexpr uint32_t kHwinfoStoppedPeriods = 5;
constexpr uint32_t kHwinfoLongestPeriodMs = 60000;
// Copies of a tick: a copy is whole when the header reads the same before and after it.
constexpr int kHwinfoCopyTries = 3;

// HWiNFO's shared memory, its view kept open while the program publishes: whole copies only,
// and a block whose poll time stands still is let go.
class HwinfoMemoryReader {
public:
    explicit HwinfoMemoryReader(SharedMemoryApi& memory);
    ~HwinfoMemoryReader();

    enum class Result {
        Missing,  // no block, no longer published, or stopped: the view is let go
        Kept,     // live, but no whole copy this tick: the pairs keep their readings
        Read,     // live, and `readings` holds a whole copy's readings
    };
    // now: the clock in milliseconds (wrapping).
    Result read(uint32_t now, std::vector<SensorValue>& readings);

private:
    enum class Copy { Whole, Torn, Unpublished };
    Copy wholeCopy(std::string& bytes, uint64_t& pollTime, uint32_t& periodMs);
    void letGo();

    SharedMemoryApi& memory_;
    std::unique_ptr<SharedView> view_;
    bool polled_ = false;  // a whole copy has given a poll time since the view was opened
    uint64_t pollTime_ = 0;
    uint32_t movedAt_ = 0;  // when the poll time last moved, or the view was opened
    uint32_t stoppedAfterMs_ = kHwinfoStoppedMs;
    // A block that stood still, or never gave a whole copy with readings, for the stop time; the
    // poll time it stood still at, when it had one: found again there, it is still stopped.
    bool stopped_ = false;
    bool stoppedPolled_ = false;
    uint64_t stoppedPollTime_ = 0;
};

}  // namespace tabrix
