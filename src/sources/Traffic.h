#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/NetworkApi.h"

namespace tabrix {

// The previous byte counts of the measured interface; 0 means no reading yet.
struct TrafficBaselines {
    uint32_t received = 0;
    uint32_t sent = 0;
};

// The position to measure when config.ini names none: the first row that is up and not the
// loopback (which several systems list first), else the first that is not the loopback, else 0.
int automaticInterface(const std::vector<InterfaceRow>& rows);

// "100 Mbps" above 60,000 bits per second, else "56 Kbps".
std::string linkSpeedText(uint32_t bitsPerSecond);
// prefix + the bytes of one second in KiB rounded to two decimals + " Kb/s" ("D: 1.5 Kb/s").
std::string rateText(const char* prefix, uint64_t bytes, char decimalSeparator);
// The figure of that text: the number nearest its two-decimal value (1.25, not 1.2500000000000002).
double rateKb(uint64_t bytes);

struct TrafficTexts {
    std::string linkSpeed;   // Label22
    std::string downstream;  // Label32
    std::string upstream;    // Label33
    uint32_t received = 0;   // the second's bytes the two rates show
    uint32_t sent = 0;
};

// One second's measurement of a row: the differences from the baselines modulo 2^32 (a wrapped
// counter still gives its small difference), after which the row's counts become the baselines.
// A baseline still 0 is taken from the row first, so the first measurement shows 0.
TrafficTexts measureTraffic(TrafficBaselines& baselines, const InterfaceRow& row, char decimalSeparator);

}  // namespace tabrix
