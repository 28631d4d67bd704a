#include "sources/Battery.h"

#include "sources/SystemFacts.h"

namespace tabrix {

namespace {

constexpr uint8_t kOnBattery = 0;
constexpr uint8_t kOnMains = 1;
constexpr uint32_t kLifeTimeUnknown = 0xFFFFFFFFu;
constexpr double kSecondsPerHour = 3600.0;
// The hours text is cut, not rounded: 12.5 reads "12." and 0.25 reads "0.2".
constexpr std::size_t kHoursTextLength = 3;

}  // namespace

std::string batteryText(const PowerStatus& status, char decimalSeparator) {
    std::string percent = std::to_string(status.batteryLifePercent);
    if (status.acLineStatus == kOnMains) {
        if (percent == "255") return "Running on AC";
        return "Running on AC Battery: " + percent + " % ";
    }
    if (status.acLineStatus == kOnBattery) {
        if (status.batteryLifeTime == kLifeTimeUnknown) return "Battery: " + percent;
        std::string hours = generalNumberText(status.batteryLifeTime / kSecondsPerHour, decimalSeparator)
                                .substr(0, kHoursTextLength);
        return "Battery: " + percent + " % " + "Remaining: " + hours + " h";
    }
    return "";
}

std::string GetBatteryPowerStats(SystemApi& system) {
    return batteryText(system.powerStatus(), system.decimalSeparator());
}

}  // namespace tabrix
