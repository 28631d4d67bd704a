#include "report/SourceReportFacts.h"

#include <utility>

#include "sources/SystemFacts.h"

namespace tabrix {

SourceReportFacts::SourceReportFacts(SystemApi& system, VersionInfo startVersion, Song song)
    : system_(system), version_(std::move(startVersion)), song_(std::move(song)) {}

std::string SourceReportFacts::windowsVersionText() {
    return GetWindowsVersionText(version_);
}

std::string SourceReportFacts::currentSong() {
    return song_();
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
