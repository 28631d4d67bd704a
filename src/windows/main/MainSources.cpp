#include "windows/main/MainSources.h"

#include <vector>

#include "platform/HttpApi.h"
#include "platform/NetworkApi.h"
#include "platform/Platform.h"
#include "platform/SystemApi.h"
#include "sources/DriveSpace.h"

namespace tabrix {

MainSources::MainSources(Platform& platform) : platform_(platform) {}

MainSources::TrafficResult MainSources::readTraffic(std::optional<int> chosen, TrafficTexts& texts) {
    std::vector<InterfaceRow> rows;
    switch (platform_.network.interfaceTable(rows)) {
        case InterfaceTableResult::Ok:
            break;
        case InterfaceTableResult::NoFunction:
            return TrafficResult::EndProgram;
        case InterfaceTableResult::NoLibrary:
        case InterfaceTableResult::Failed:
            return TrafficResult::NoRates;
    }
    const int at = chosen ? *chosen : automaticInterface(rows);
    // Another interface chosen (one came up): its counts are not the baselines'.
    if (at != measured_) {
        traffic_ = TrafficBaselines{};
        measured_ = at;
    }
    // A position past the rows returned names no interface: the labels stay for this tick.
    if (at < 0 || static_cast<std::size_t>(at) >= rows.size()) return TrafficResult::NoRates;
    texts = measureTraffic(traffic_, rows[at], platform_.system.decimalSeparator());
    return TrafficResult::Measured;
}

void MainSources::fetchExternalIp(const std::string& server, std::function<void(const std::string&)> use) {
    ipFetchPending_ = true;
    std::weak_ptr<int> alive = lifetime_;
    platform_.ipLookup.fetch(server, [this, alive, use](const std::string& body) {
        // An answer for a window that has since been rebuilt or closed goes nowhere.
        if (alive.expired()) return;
        ipFetchPending_ = false;
        use(body);
    });
}

std::string MainSources::driveText(std::vector<DriveSpace>* spaces) {
    return GetDriveReport(platform_.disks,
                          readDrivesFile(platform_.files, platform_.path(kDrivesFileName), drivesFile_),
                          platform_.system.decimalSeparator(), std::string(), spaces);
}

}  // namespace tabrix
