// The main window's slower sources: the external address, the traffic meter, the sensor
// block and the drive-space text.
#include "app/Unit1.h"
#include "platform/HttpApi.h"
#include "platform/NetworkApi.h"
#include "platform/SharedMemoryApi.h"
#include "platform/SystemApi.h"
#include "sources/DriveSpace.h"
#include "sources/ExternalIp.h"
#include "sources/interfacewithmbm.h"

namespace tabrix {
namespace {

// The name and value labels of the three sensors.
constexpr struct {
    int name;
    int value;
} kSensorLabels[] = {{kLabelSensor1Name, kLabelSensor1Value},
                     {kLabelSensor2Name, kLabelSensor2Value},
                     {kLabelSensor3Name, kLabelSensor3Value}};

}  // namespace

void TForm1::fetchExternalIp(std::function<void(const std::string&)> use) {
    ipFetchPending_ = true;
    std::weak_ptr<int> alive = lifetime_;
    platform_.ipLookup.fetch(stored_.settings.ipServer, [this, alive, use](const std::string& body) {
        // An answer for a window that has since been rebuilt or closed goes nowhere.
        if (alive.expired()) return;
        ipFetchPending_ = false;
        use(body);
    });
}

void TForm1::startupIpLookup(bool showIp) {
    if (showIp)
        fetchExternalIp([this](const std::string& body) {
            setLabelText(kLabelExternalIp, body);
            // An answer starting like markup is a web page, not an address.
            if (!body.empty() && body[0] == '<') setLabelText(kLabelExternalIp, kBadIpServer);
        });
}

void TForm1::IPTImerTimer() {
    // After a failed refresh one more attempt is made, then the timer stops.
    if (stored_.lastIpRefresh == kFetchFailed) IPTImer.enabled = false;
    // A fetch still under way is not doubled by a short period.
    if (ipFetchPending_) return;
    fetchExternalIp([this](const std::string& body) {
        stored_.lastIpRefresh = body;
        if (body == kFetchFailed) errors_.ShowErrorDialog(kIpRetrieveProblem);
        setLabelText(kLabelExternalIp, body);
    });
}

void TForm1::tmrTrafficTimer() {
    std::vector<InterfaceRow> rows;
    switch (platform_.network.interfaceTable(rows)) {
        case InterfaceTableResult::Ok:
            break;
        case InterfaceTableResult::NoFunction:
            // A system library without the table function: the program ends.
            if (owner) owner->closeMainWindow();
            return;
        case InterfaceTableResult::NoLibrary:
        case InterfaceTableResult::Failed:
            return;
    }
    // A position past the rows returned names no interface: the labels stay for this tick.
    const int at = stored_.settings.ipInterface;
    if (at < 0 || static_cast<std::size_t>(at) >= rows.size()) return;
    const TrafficTexts texts = measureTraffic(traffic_, rows[at], platform_.system.decimalSeparator());
    setLabelText(kLabelConnection, texts.linkSpeed);
    setLabelText(kLabelDownstream, texts.downstream);
    setLabelText(kLabelUpstream, texts.upstream);
}

bool TForm1::ReadMBM5Data() {
    std::string bytes;
    if (!platform_.sharedMemory.read(kSensorBlockName, kSensorBytesUsed, bytes)) return false;
    const SensorBlock block = parseSensorBlock(bytes, stored_.settings.tempLabel, platform_.system.decimalSeparator());
    if (!block.valid) return true;
    for (int i = 0; i < block.count; ++i) {
        const SensorReading& r = block.readings[i];
        const auto& at = kSensorLabels[i];
        setLabelText(at.name, r.name);
        setLabelText(at.value, r.value);
        labels_[at.name].visible = r.shown;
        labels_[at.value].visible = r.shown;
    }
    return true;
}

std::string TForm1::driveText() {
    // drives.inf lists the drives of the free-space block; read again only when it changed.
    return GetDriveReport(platform_.files, platform_.disks, platform_.path(kDrivesFileName),
                          platform_.system.decimalSeparator(), drivesFile_);
}

}  // namespace tabrix
