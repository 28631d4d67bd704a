#include "sources/adCpuUsage.h"

#include <algorithm>
#include <memory>

#include "platform/Error.h"
#include "sources/PerfData.h"
#include "sources/SystemFacts.h"

namespace tabrix {

namespace {

const char* const kProcessorValueName = "238";
const char* const kNoProcessorObject = "Unable to locate the \"Processor\" performance object";
const char* const kNoTimeCounter = "Unable to locate the \"% of CPU usage\" performance counter";
const char* const kCannotStart = "Unable to start performance monitoring";
const char* const kCannotRead = "Unable to read performance data";

const char* const kStartStatKey = "PerfStats\\StartStat";
const char* const kStatDataKey = "PerfStats\\StatData";
const char* const kStopStatKey = "PerfStats\\StopStat";
const char* const kCpuUsageValue = "KERNEL\\CPUUsage";

// Counter differences in two's complement, so that lying counters cannot overflow.
int64_t difference(int64_t now, int64_t before) {
    return static_cast<int64_t>(static_cast<uint64_t>(now) - static_cast<uint64_t>(before));
}

}  // namespace

CpuUsageSampler::CpuUsageSampler(PerformanceApi& api, bool ntFamily) : api_(api), nt_(ntFamily) {
    if (nt_) buffer_.assign(kInitialBufferSize, 0);
}

void CpuUsageSampler::sample() {
    if (nt_) {
        sampleNt();
    } else {
        sample9x();
    }
}

void CpuUsageSampler::sampleNt() {
    if (systemTimes_) {
        if (!sampleSystemTimes()) throw Error(kNoProcessorObject);
        return;
    }
    if (buffer_.empty()) buffer_.assign(kInitialBufferSize, 0);

    PerfFault fault = PerfFault::NoProcessorObject;
    ProcessorCounters counters;
    uint32_t returned = 0;
    PerfQuery status;
    while ((status = api_.queryPerformanceData(kProcessorValueName, buffer_.data(),
                                               static_cast<uint32_t>(buffer_.size()), returned)) ==
               PerfQuery::MoreData &&
           buffer_.size() < kMaxBufferSize) {
        buffer_.resize(buffer_.size() + kBufferGrowth, 0);
    }
    // A failed query leaves nothing to read: it counts as data without the object.
    if (status == PerfQuery::Success) {
        std::size_t size = std::min<std::size_t>(returned, buffer_.size());
        fault = readProcessorCounters(buffer_.data(), size, instances_, counters);
    }

    if (fault != PerfFault::None) {
        if (sampleSystemTimes()) {
            systemTimes_ = true;
            api_.closePerformanceData();
            return;
        }
        throw Error(fault == PerfFault::NoTimeCounter ? kNoTimeCounter : kNoProcessorObject);
    }

    if (instances_ == -1) {
        instances_ = static_cast<int32_t>(counters.idle.size());
        current_ = counters.idle;
    }
    previous_ = current_;
    current_ = counters.idle;
    previousTime_ = currentTime_;
    // A time stamp that is no calendar time leaves the clock standing: that interval
    // reads 0.0 instead of a figure against a made-up time.
    if (counters.timeValid) currentTime_ = counters.time;
    samples_ = std::min(samples_ + 1, 2);
}

bool CpuUsageSampler::sampleSystemTimes() {
    uint64_t idle = 0, kernel = 0, user = 0;
    if (!api_.systemTimes(idle, kernel, user)) return false;
    idleBefore_ = idleNow_;
    totalBefore_ = totalNow_;
    idleNow_ = idle;
    totalNow_ = kernel + user;  // kernel time includes the idle time
    timesSamples_ = std::min(timesSamples_ + 1, 2);
    return true;
}

double CpuUsageSampler::systemTimesLoad() const {
    if (timesSamples_ < 2 || totalNow_ == totalBefore_) return 0.0;
    double idle = static_cast<double>(difference(idleNow_, idleBefore_));
    double total = static_cast<double>(difference(totalNow_, totalBefore_));
    return 1.0 - idle / total;
}

void CpuUsageSampler::sample9x() {
    if (!started_) {
        {
            const std::unique_ptr<PerformanceApi::DynKey> start = api_.openDynKey(kStartStatKey, true);
            if (!start) throw Error(kCannotStart);
            // Reading the start value is what switches the statistic on.
            start->readDword(kCpuUsageValue, usage_);
        }
        statData_ = api_.openDynKey(kStatDataKey, false);
        if (!statData_) throw Error(kCannotRead);
        started_ = true;
    }
    statData_->readDword(kCpuUsageValue, usage_);
}

double CpuUsageSampler::load(int index) {
    if (!nt_) {
        if (!started_) sample9x();
        return usage_ / 100.0;
    }
    if (instances_ == -1 && !systemTimes_) sampleNt();
    if (systemTimes_) return systemTimesLoad();
    if (index < 0 || index >= instances_) throw Error(kNoTimeCounter);
    if (samples_ < 2 || currentTime_ == previousTime_) return 0.0;
    double idle = static_cast<double>(difference(current_[index], previous_[index]));
    double elapsed = static_cast<double>(difference(currentTime_, previousTime_));
    return 1.0 - idle / elapsed;
}

void CpuUsageSampler::stop() {
    if (started_) {
        started_ = false;
        statData_.reset();
        // Reading the stop value switches the statistic off; failing to is harmless.
        if (const std::unique_ptr<PerformanceApi::DynKey> stopKey = api_.openDynKey(kStopStatKey, true)) {
            uint32_t ignored = 0;
            stopKey->readDword(kCpuUsageValue, ignored);
        }
    }
    if (nt_ && !systemTimes_) api_.closePerformanceData();
    std::vector<uint8_t>().swap(buffer_);
}

void CpuCounters::InitCpuCounters(PerformanceApi& api, SystemApi& system) {
    VersionInfo version = ReadWindowsVersion(system);
    sampler_ = std::make_unique<CpuUsageSampler>(api, version.platformId == kPlatformNt);
}

void CpuCounters::SampleCpuCounters() {
    if (sampler_) sampler_->sample();
}

double CpuCounters::GetCpuLoad(int index) {
    return sampler_ ? sampler_->load(index) : 0.0;
}

void CpuCounters::StopCpuCounters() {
    if (!sampler_) return;
    sampler_->stop();
    sampler_.reset();
}

}  // namespace tabrix
