#include "sources/WAmpMsg.h"

namespace tabrix {

std::string songFromCaption(const std::string& caption) {
    std::size_t at = caption.find(kCaptionMarker);
    // At least one character and the blank must stand before the marker.
    if (at == std::string::npos || at < 2) return "";
    return caption.substr(0, at - 1);
}

TWinampApi::TWinampApi(PlayerWindow& windows, const std::string& /*playerPath*/)
    : windows_(windows), window_(windows.find(kPlayerClass)) {}

std::string TWinampApi::GetCurrentSong() {
    if (!running()) return kPlayerNotRunning;
    return songFromCaption(windows_.caption(window_));
}

void TWinampApi::send(uint32_t command) {
    if (!running()) return;
    // Whether the player handled it in time changes nothing for the caller.
    windows_.sendCommand(window_, kMsgCommand, command, 0, kCommandTimeoutMs);
}

}  // namespace tabrix
