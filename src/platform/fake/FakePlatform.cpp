#include "platform/fake/FakePlatform.h"

#include <cstdlib>

#include "platform/Error.h"

namespace tabrix {

void FakeUi::messageBox(const std::string& text, const std::string& caption) {
    boxes.push_back({text, caption});
}

void FakeDesktop::hideWindow(const std::string& className, const std::string& caption) {
    hidden.emplace_back(className, caption);
}

Extent FakeDesktop::frameSize(bool toolCaption) {
    return toolCaption ? toolFrame : Extent{0, 0};
}

Extent FakeTextMeasure::measure(const Font& font, const std::string& text) {
    measured.push_back(text);
    const int h = std::abs(font.height);
    return {static_cast<int>(text.size()) * charWidth * h / 11, h + 2};
}

bool FakeTray::add(const TrayRecord& record) {
    if (failAdd) return false;
    added.push_back(record);
    return true;
}

void FakeTray::remove(const TrayRecord& record) {
    removed.push_back(record);
}

std::string FakeStartupFacts::brandString() {
    return brand;
}
int FakeStartupFacts::family() {
    return processorFamily;
}
std::string FakeStartupFacts::windowsVersionText() {
    return version;
}
std::string FakeStartupFacts::connectionText() {
    return connection;
}

FakePlatform::FakePlatform()
    : platform{files,    ui,           desktop,  text,   tray,         kFakeProgramDir,
               facts,    codepage,     system,   player, shell,        clipboard,
               windows,  clock,        network,  disks,  sharedMemory, registry,
               ipLookup, sensorLookup, settings, cpu} {
    platform.executablePath = std::string(kFakeProgramDir) + "Tabrix.exe";
}

Platform FakePlatform::with(SystemApi& otherSystem, PlayerWindow& otherPlayer, Desktop* otherDesktop) {
    Platform p{files,       ui,           otherDesktop ? *otherDesktop : desktop,
               text,        tray,         kFakeProgramDir,
               facts,       codepage,     otherSystem,
               otherPlayer, shell,        clipboard,
               windows,     clock,        network,
               disks,       sharedMemory, registry,
               ipLookup,    sensorLookup, settings,
               cpu};
    p.executablePath = platform.executablePath;
    return p;
}

}  // namespace tabrix
