#include "report/SourceReportFacts.h"

#include <utility>

#include "sources/SystemFacts.h"
#include "sources/WAmpMsg.h"

namespace tabrix {

SourceReportFacts::SourceReportFacts(SystemApi& system, PlayerWindow& player,
                                     VersionInfo startVersion, std::string playerPath)
    : system_(system),
      player_(player),
      version_(std::move(startVersion)),
      playerPath_(std::move(playerPath)) {}

std::string SourceReportFacts::windowsVersionText() { return GetWindowsVersionText(version_); }

std::string SourceReportFacts::currentSong() {
    return TWinampApi(player_, playerPath_).GetCurrentSong();
}

SystemNumbers SourceReportFacts::systemNumbers() {
    const DisplayMode mode = system_.displayMode();
    SystemNumbers n;
    n.versionMajor = version_.majorVersion;
    n.versionMinor = version_.minorVersion;
    n.screenWidth = mode.width;
    n.screenHeight = mode.height;
    n.refreshHz = GetDisplayFrequency(system_);
    return n;
}

}  // namespace tabrix
