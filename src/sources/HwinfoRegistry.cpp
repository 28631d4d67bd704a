#include "sources/HwinfoRegistry.h"

#include "platform/RegistryApi.h"

namespace tabrix {

bool hwinfoRegistryReading(const std::string& label, const std::string& valueText, const std::string& raw,
                           SensorValue& reading) {
    double shown = 0;
    std::string unit;
    if (!readNumber(raw, reading.value) || !splitValueText(valueText, shown, unit)) return false;
    reading.label = label;
    reading.unit = unit;
    reading.type = kindOfUnit(unit);
    return true;
}

std::vector<SensorValue> readHwinfoRegistry(RegistryKey& key) {
    std::vector<SensorValue> readings;
    const std::size_t count = key.valueCount();
    std::size_t seen = 0;
    for (int n = 0; n < kHwinfoRegistryReadingsMax && seen < count; ++n) {
        const std::string number = std::to_string(n);
        std::string label, sensor, valueText, raw;
        // A number without its label is a gap: its other values are not asked for.
        if (!key.text("Label" + number, label)) continue;
        seen += 1 + key.text("Sensor" + number, sensor) + key.text("Value" + number, valueText) +
                key.text("ValueRaw" + number, raw);
        SensorValue reading;
        if (hwinfoRegistryReading(label, valueText, raw, reading)) readings.push_back(std::move(reading));
    }
    return readings;
}

}  // namespace tabrix
