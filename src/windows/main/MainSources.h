#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/DrivesFile.h"
#include "sources/DriveSpace.h"
#include "sources/Traffic.h"

namespace tabrix {

struct Platform;

// What the main window's slower sources keep between ticks: the traffic meter's
// counters, the external address fetch under way, drives.inf as last read.
class MainSources {
public:
    explicit MainSources(Platform& platform);

    enum class TrafficResult { Measured, NoRates, EndProgram };
    // The rates of the interface at position `at` of the table (none: the one
    // automaticInterface picks, looked at again each tick). EndProgram: the system
    // library has no table function; NoRates: nothing to show this tick.
    TrafficResult readTraffic(std::optional<int> at, TrafficTexts& texts);
    void resetTraffic() { traffic_ = TrafficBaselines{}; }

    // Fetches the external address away from the window; use runs with the answer on the
    // window's thread, and only while this object still exists.
    void fetchExternalIp(const std::string& server, std::function<void(const std::string&)> use);
    bool ipFetchPending() const { return ipFetchPending_; }

    // drives.inf lists the drives of the free-space block; read again only when it changed.
    // The drives the text tells go into `spaces` when one is given.
    std::string driveText(std::vector<DriveSpace>* spaces = nullptr);

private:
    Platform& platform_;
    TrafficBaselines traffic_;
    int measured_ = -1;  // the position the baselines belong to
    DrivesFileCache drivesFile_;
    bool ipFetchPending_ = false;
    // Expires with the window: an answer that arrives later sees it gone.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

}  // namespace tabrix
