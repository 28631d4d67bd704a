#pragma once
#include <string>
#include <vector>

#include "sources/SensorReadings.h"

namespace tabrix {

class Codepage;
class RegistryKey;

// HWiNFO's values for desktop widgets ("HWiNFO Gadget" reporting), under the current user.
constexpr char kHwinfoRegistryKey[] = "Software\\HWiNFO64\\VSB";
// Readings numbered from 0; those from this number on are not read.
constexpr int kHwinfoRegistryReadingsMax = 256;

// Reading N from its values LabelN, ValueN (the display text with its unit, "45 °C",
// "4,788.8 MHz") and ValueRawN (the number alone, with "." or ","); false when the raw number
// or the unit cannot be read. The unit is the text after the number with its group separators,
// its kind read from it in UTF-8 (through the code page), so that a degree sign is known
// whatever bytes the code page gives it.
bool hwinfoRegistryReading(const std::string& label, const std::string& valueText, const std::string& raw,
                           Codepage& codepage, SensorValue& reading);

// The readings of the open key in their numbers' order: numbers with gaps are read on until
// every value the key holds has been seen, or up to kHwinfoRegistryReadingsMax. A reading
// without its label, raw number or unit is passed over.
std::vector<SensorValue> readHwinfoRegistry(RegistryKey& key, Codepage& codepage);

}  // namespace tabrix
