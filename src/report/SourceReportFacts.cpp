#include "report/SourceReportFacts.h"

#include <utility>

#include "sources/SystemFacts.h"
#include "sources/WAmpMsg.h"

namespace tabrix {

SourceReportFacts::SourceReportFacts(SystemApi& system, PlayerWindow& player, VersionInfo startVersion,
                                     std::string playerPath)
    : system_(system),
      player_(player),
      version_(std::move(startVersion)),
      playerPath_(std::move(playerPath)) {}

std::string SourceReportFacts::windowsVersionText() {
    return GetWindowsVersionText(version_);
}

std::string SourceReportFacts::currentSong() {
    return TWinampApi(player_, playerPath_).GetCurrentSong();
}

SystemNumbers SourceReportFacts::systemNumbers() {
    return systemNumbersWith(system_.displayMode());
}

SystemNumbers SourceReportFacts::systemNumbersWith(const DisplayMode& display) {
    // One answer for the screen and its frequency (GetDisplayFrequency's own question).
    SystemNumbers n;
    n.versionMajor = version_.majorVersion;
    n.versionMinor = version_.minorVersion;
    n.screenWidth = display.width;
    n.screenHeight = display.height;
    n.refreshHz = display.frequency;
    return n;
}

}  // namespace tabrix
