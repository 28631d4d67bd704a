// The sensor pairs from HWiNFO's shared memory, for machines where Motherboard Monitor 5 no
// longer runs: three readings chosen in config.ini's [Sensors], temperatures by default.
#include "app/Unit1.h"
#include "platform/SharedMemoryApi.h"
#include "platform/SystemApi.h"
#include "sources/interfacewithhwinfo.h"

namespace tabrix {
namespace {

// The name and value labels of the three pairs.
constexpr struct {
    int name;
    int value;
} kPairLabels[kShownSensors] = {{kLabelSensor1Name, kLabelSensor1Value},
                                {kLabelSensor2Name, kLabelSensor2Value},
                                {kLabelSensor3Name, kLabelSensor3Value}};

}  // namespace

void ReadHwinfoData(Platform& platform, MainControls& controls, const StartupSettings& settings) {
    std::string bytes;
    if (!platform.sharedMemory.read(kHwinfoBlockName, kHwinfoBytesMax, bytes)) return;
    const SensorBlock pairs = readHwinfoPairs(bytes, settings.sensorReadings, settings.tempLabel,
                                              platform.system.decimalSeparator());
    // Gone, stopped or damaged: the pairs keep their last readings.
    if (!pairs.valid) return;
    for (int k = 0; k < kShownSensors; ++k) {
        const SensorReading& r = pairs.readings[k];
        const auto& at = kPairLabels[k];
        if (r.shown) {
            controls.setText(at.name, r.name);
            controls.setText(at.value, r.value);
        }
        controls.label(at.name).visible = r.shown;
        controls.label(at.value).visible = r.shown;
    }
}

}  // namespace tabrix
