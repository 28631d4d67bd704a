#pragma once
#include <string>
#include <vector>

#include "sources/SensorReadings.h"

namespace tabrix {

class RegistryKey;

// HWiNFO's values for desktop widgets ("HWiNFO Gadget" reporting), under the current user.
constexpr char kHwinfoRegistryKey[] = "Software\\HWiNFO64\\VSB";
// Readings numbered from 0; those from this number on are not read.
constexpr int kHwinfoRegistryReadingsMax = 256;

// Reading N from its values LabelN, ValueN (the display text with its unit, "45 °C") and
// ValueRawN (the number alone, with "." or ","); false when the raw number or the unit
// cannot be read.
bool hwinfoRegistryReading(const std::string& label, const std::string& valueText, const std::string& raw,
                           SensorValue& reading);

// The readings of the open key in their numbers' order: numbers with gaps are read on until
// every value the key holds has been seen, or up to kHwinfoRegistryReadingsMax. A reading
// without its label, raw number or unit is passed over.
std::vector<SensorValue> readHwinfoRegistry(RegistryKey& key);

}  // namespace tabrix
