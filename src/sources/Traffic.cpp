#include "sources/Traffic.h"

#include "sources/SystemFacts.h"

namespace tabrix {
namespace {

// Above this many bits per second the link speed reads in megabits.
constexpr uint32_t kMegabitThreshold = 60000;

// The bytes in KiB, in whole hundredths.
double kibHundredths(uint64_t bytes) {
    return R(static_cast<double>(bytes) / 1024.0 / 0.01);
}

constexpr uint32_t kLoopbackType = 24;    // MIB_IF_TYPE_LOOPBACK
constexpr uint32_t kOperConnected = 4;    // MIB_IF_OPER_STATUS_CONNECTED
constexpr uint32_t kOperOperational = 5;  // MIB_IF_OPER_STATUS_OPERATIONAL

}  // namespace

int automaticInterface(const std::vector<InterfaceRow>& rows) {
    int firstNotLoopback = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].type == kLoopbackType) continue;
        const bool up = rows[i].operStatus == kOperConnected || rows[i].operStatus == kOperOperational;
        if (up) return static_cast<int>(i);
        if (firstNotLoopback < 0) firstNotLoopback = static_cast<int>(i);
    }
    return firstNotLoopback < 0 ? 0 : firstNotLoopback;
}

std::string linkSpeedText(uint32_t bitsPerSecond) {
    if (bitsPerSecond > kMegabitThreshold) return integerText(R(bitsPerSecond / 1000.0 / 1000.0)) + " Mbps";
    return integerText(R(bitsPerSecond / 1000.0)) + " Kbps";
}

std::string rateText(const char* prefix, uint64_t bytes, char decimalSeparator) {
    return prefix + generalNumberText(kibHundredths(bytes) * 0.01, decimalSeparator) + " Kb/s";
}

double rateKb(uint64_t bytes) {
    return kibHundredths(bytes) / 100;
}

TrafficTexts measureTraffic(TrafficBaselines& baselines, const InterfaceRow& row, char decimalSeparator) {
    if (baselines.received == 0) baselines.received = row.inOctets;
    if (baselines.sent == 0) baselines.sent = row.outOctets;
    // Unsigned 32-bit subtraction is the difference modulo 2^32.
    const uint32_t received = row.inOctets - baselines.received;
    const uint32_t sent = row.outOctets - baselines.sent;
    TrafficTexts texts;
    texts.linkSpeed = linkSpeedText(row.speed);
    texts.downstream = rateText("D: ", received, decimalSeparator);
    texts.upstream = rateText("U: ", sent, decimalSeparator);
    texts.received = received;
    texts.sent = sent;
    baselines.received = row.inOctets;
    baselines.sent = row.outOctets;
    return texts;
}

}  // namespace tabrix
