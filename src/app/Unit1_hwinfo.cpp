// The sensor pairs from HWiNFO's shared memory, for machines where Motherboard Monitor 5 no
// longer runs: three readings chosen in config.ini's [Sensors], temperatures by default.
#include "app/Unit1.h"
#include "platform/SharedMemoryApi.h"
#include "platform/SystemApi.h"
#include "settings/IniFile.h"
#include "sources/interfacewithhwinfo.h"

namespace tabrix {
namespace {

constexpr char kSensors[] = "Sensors";
constexpr const char* kReadingKeys[kShownSensors] = {"reading1", "reading2", "reading3"};
// The value labels of the three pairs; each name label stands just before its value.
constexpr int kPairValueLabels[kShownSensors] = {26, 28, 30};

}  // namespace

void TForm1::readSensorChoice(IniFile& ini) {
    for (int k = 0; k < kShownSensors; ++k)
        stored_.sensorReadings[k] = ini.readString(kSensors, kReadingKeys[k], "");
}

void TForm1::ReadHwinfoData() {
    std::string bytes;
    if (!platform_.sharedMemory.read(kHwinfoBlockName, kHwinfoBytesMax, bytes)) return;
    const SensorBlock pairs = readHwinfoPairs(bytes, stored_.sensorReadings, stored_.tempLabel,
                                              platform_.system.decimalSeparator());
    // Gone, stopped or damaged: the pairs keep their last readings.
    if (!pairs.valid) return;
    for (int k = 0; k < kShownSensors; ++k) {
        const SensorReading& r = pairs.readings[k];
        const int value = kPairValueLabels[k];
        if (r.shown) {
            setLabelText(value - 1, r.name);
            setLabelText(value, r.value);
        }
        labels_[value - 1].visible = r.shown;
        labels_[value].visible = r.shown;
    }
}

}  // namespace tabrix
