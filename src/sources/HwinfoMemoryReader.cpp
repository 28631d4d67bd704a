#include "sources/HwinfoMemoryReader.h"

#include <algorithm>

#include "platform/SharedMemoryApi.h"
#include "sources/interfacewithhwinfo.h"

namespace tabrix {

HwinfoMemoryReader::HwinfoMemoryReader(SharedMemoryApi& memory) : memory_(memory) {}

HwinfoMemoryReader::~HwinfoMemoryReader() = default;

void HwinfoMemoryReader::letGo() {
    view_.reset();
    polled_ = false;
}

// HWiNFO drops its reading count and refills the section on every poll, without waiting for
// readers: a copy counts only when the header before and after it are the same, with readings.
HwinfoMemoryReader::Copy HwinfoMemoryReader::wholeCopy(std::string& bytes, uint64_t& pollTime,
                                                       uint32_t& periodMs) {
    for (int attempt = 0; attempt < kHwinfoCopyTries; ++attempt) {
        std::string before, after;
        view_->copy(0, kHwinfoHeaderBytes, before);
        const HwinfoHeader header = readHwinfoHeader(before);
        if (!header.published) return Copy::Unpublished;
        if (header.readingCount == 0) continue;
        const uint64_t size =
            std::min<uint64_t>(std::min<uint64_t>(header.usedBytes, view_->size()), kHwinfoBytesMax);
        view_->copy(0, static_cast<std::size_t>(size), bytes);
        view_->copy(0, kHwinfoHeaderBytes, after);
        if (after != before) continue;
        pollTime = header.pollTime;
        periodMs = header.pollingPeriodMs;
        return Copy::Whole;
    }
    return Copy::Torn;
}

HwinfoMemoryReader::Result HwinfoMemoryReader::read(uint32_t now, std::vector<SensorValue>& readings) {
    if (!view_) {
        view_ = memory_.open(kHwinfoBlockName);
        if (!view_) return Result::Missing;
        movedAt_ = now;
        stoppedAfterMs_ = kHwinfoStoppedMs;
    }
    std::string bytes;
    uint64_t pollTime = 0;
    uint32_t periodMs = 0;
    const Copy copy = wholeCopy(bytes, pollTime, periodMs);
    if (copy == Copy::Unpublished) {
        letGo();
        return Result::Missing;
    }
    HwinfoBlock block;
    if (copy == Copy::Whole) block = parseHwinfoBlock(bytes);
    // A stopped block comes back only with a whole copy with readings, and not at the poll time
    // it stopped at: one that never gives such a copy would otherwise run again for the stop time
    // at every look.
    if (stopped_) {
        if (!block.valid || (stoppedPolled_ && pollTime == stoppedPollTime_)) {
            letGo();
            return Result::Missing;
        }
        stopped_ = false;
    }
    if (block.valid && (!polled_ || pollTime != pollTime_)) {
        polled_ = true;
        pollTime_ = pollTime;
        movedAt_ = now;
        stoppedAfterMs_ =
            std::max(kHwinfoStoppedMs, kHwinfoStoppedPeriods * std::min(periodMs, kHwinfoLongestPeriodMs));
    }
    if (now - movedAt_ >= stoppedAfterMs_) {
        stopped_ = true;
        stoppedPolled_ = polled_;
        stoppedPollTime_ = pollTime_;
        letGo();
        return Result::Missing;
    }
    if (!block.valid) return Result::Kept;
    readings = std::move(block.readings);
    return Result::Read;
}

}  // namespace tabrix
