#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "sources/Players.h"
#include "windows/main/OtherPlayer.h"

namespace tabrix {

class Clock;
class PlayerWindow;
class Shell;
struct Platform;

// The player mini-controls' link to the player: a fresh link to a Winamp-class window for
// every question and command (it keeps precedence), else the other player found, and a
// click with no player running starts the configured one first. The command then waits,
// without holding the window, until the player's window is up.
class PlayerControl {
public:
    // path: the winamppath setting as start-up stores it.
    PlayerControl(Platform& platform, const std::string& path);

    std::string currentSong();
    bool running();
    // The player followed now (None while none runs).
    PlayerKind followed();
    void click(PlayerCommand command);
    // PlayerStartTimer: sends the waiting commands once the started player is up.
    void startTimerTick();

    // Waits for a player a click has started.
    Timer startTimer{"PlayerStartTimer", 100, false};

private:
    PlayerWindow& player_;
    Shell& shell_;
    Clock& clock_;
    const std::string& path_;
    OtherPlayer other_;
    // Clicks made while the started player is awaited, in their order.
    std::vector<PlayerCommand> pending_;
    uint32_t startedAt_ = 0;
};

}  // namespace tabrix
