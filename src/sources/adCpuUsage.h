#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/SystemApi.h"

namespace tabrix {

// How busy the processor was between the last two samples.
//
// NT family: the idle counter (6) of each instance of the Processor object (238) in the
// performance data, against the data block's time stamp. When the data has no usable
// Processor object or counter, the sampler switches for good to GetSystemTimes, whose
// figure covers all processors whatever the index. Windows 9x: the kernel's own CPU
// usage statistic in the dynamic registry data.
//
// Until two samples exist there is no interval, and the load reads 0.0.
class CpuUsageSampler {
public:
    static constexpr uint32_t kInitialBufferSize = 8192;
    static constexpr uint32_t kBufferGrowth = 4096;
    // Each "more data" answer costs a registry call: a system that keeps asking beyond
    // this many growths (256 KB more, far past any processor count's data) is not
    // answering sensibly, and the sample gives up at that size.
    static constexpr std::size_t kMaxMoreDataTries = 64;
    static constexpr std::size_t kMaxBufferSize = kInitialBufferSize + kMaxMoreDataTries * kBufferGrowth;

    CpuUsageSampler(PerformanceApi& api, bool ntFamily);

    // Throws Error with the fixed texts when neither source can be read.
    void sample();
    // Busy fraction of instance index over the last interval; not clamped. An index
    // the data does not have throws the missing-counter Error.
    double load(int index);
    // Switches the 9x statistic off and lets go of the data buffer.
    void stop();

    std::size_t bufferSize() const { return buffer_.size(); }
    int32_t instanceCount() const { return instances_; }
    bool usingSystemTimes() const { return systemTimes_; }

private:
    void sampleNt();
    void sample9x();
    bool sampleSystemTimes();
    double systemTimesLoad() const;

    PerformanceApi& api_;
    bool nt_;

    std::vector<uint8_t> buffer_;
    int32_t instances_ = -1;  // fixed by the first sample
    std::vector<int64_t> current_, previous_;
    int64_t currentTime_ = 0, previousTime_ = 0;
    int samples_ = 0;  // counts up to 2

    bool systemTimes_ = false;
    uint64_t idleNow_ = 0, idleBefore_ = 0, totalNow_ = 0, totalBefore_ = 0;
    int timesSamples_ = 0;

    bool started_ = false;
    std::unique_ptr<PerformanceApi::DynKey> statData_;
    uint32_t usage_ = 0;
};

// The module the refresh cycle uses: one sampler for the whole run, made by the program entry
// and handed to the main window, not rebuilt with it.
class CpuCounters : public CpuLoad {
public:
    CpuCounters() = default;
    ~CpuCounters() override { StopCpuCounters(); }
    CpuCounters(const CpuCounters&) = delete;
    CpuCounters& operator=(const CpuCounters&) = delete;

    // Start-up: reads the Windows version to choose the back end; throws
    // Error("Can't get the Windows version") when it cannot.
    void InitCpuCounters(PerformanceApi& api, SystemApi& system);
    // Before InitCpuCounters (or after StopCpuCounters) these do nothing and read 0.0.
    void SampleCpuCounters() override;
    double GetCpuLoad(int index) override;
    // Program end.
    void StopCpuCounters();

private:
    std::unique_ptr<CpuUsageSampler> sampler_;
};

}  // namespace tabrix
