#pragma once
#include <string>

#include "platform/SystemApi.h"

namespace tabrix {

// One line about the power supply: "Running on AC", "Battery: 57 % Remaining: 1.5 h", ...
// Empty when the system cannot tell mains from battery.
std::string batteryText(const PowerStatus& status, char decimalSeparator);

// The battery line from the current power status, for label34.
std::string GetBatteryPowerStats(SystemApi& system);

}  // namespace tabrix
