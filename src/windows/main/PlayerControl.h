#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Controls.h"

namespace tabrix {

class Clock;
class PlayerWindow;
class Shell;
class TWinampApi;

// The player mini-controls' link to the player: a fresh player link for every question
// and command, and a click on a player that is not running starts it first. The command
// then waits, without holding the window, until the player's window is up.
class PlayerControl {
public:
    using Command = void (TWinampApi::*)();

    // path: the winamppath setting as start-up stores it.
    PlayerControl(PlayerWindow& player, Shell& shell, Clock& clock, const std::string& path);

    std::string currentSong();
    bool running();
    void click(Command command);
    // PlayerStartTimer: sends the waiting commands once the started player is up.
    void startTimerTick();

    // Waits for a player a click has started.
    Timer startTimer{"PlayerStartTimer", 100, false};

private:
    PlayerWindow& player_;
    Shell& shell_;
    Clock& clock_;
    const std::string& path_;
    // Clicks made while the started player is awaited, in their order.
    std::vector<Command> pending_;
    uint32_t startedAt_ = 0;
};

}  // namespace tabrix
