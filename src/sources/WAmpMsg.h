#pragma once
#include <cstdint>
#include <string>

#include "platform/SystemApi.h"
#include "platform/WindowsNumbers.h"

namespace tabrix {

constexpr const char* kPlayerClass = "Winamp v1.x";
constexpr uint32_t kCmdPrevious = 40044;
constexpr uint32_t kCmdPlay = 40045;
constexpr uint32_t kCmdPause = 40046;
constexpr uint32_t kCmdStop = 40047;
constexpr uint32_t kCmdNext = 40048;
constexpr const char* kCaptionMarker = "- Winamp";
constexpr const char* kPlayerNotRunning = "Winamp isn't running";
// A hung player must not hold the main window for long.
constexpr uint32_t kCommandTimeoutMs = 2000;

// The song part of a player caption: everything before the blank in front of the first
// "- Winamp"; empty when the marker is missing or stands at the very start.
std::string songFromCaption(const std::string& caption);

// The link to the player, made afresh for every question or command: the window is
// looked up once, when the object is built, and never again.
class TWinampApi {
public:
    // playerPath is the configured player program; finding the window does not need it.
    TWinampApi(PlayerWindow& windows, const std::string& playerPath);

    bool running() const { return window_ != 0; }
    // The song being played, or "Winamp isn't running".
    std::string GetCurrentSong();

    void Previous() { send(kCmdPrevious); }
    void Play() { send(kCmdPlay); }
    void Pause() { send(kCmdPause); }
    void Stop() { send(kCmdStop); }
    void Next() { send(kCmdNext); }

private:
    void send(uint32_t command);

    PlayerWindow& windows_;
    PlayerWindow::Handle window_;
};

}  // namespace tabrix
