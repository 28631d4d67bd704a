#include "windows/main/PlayerControl.h"

#include <utility>

#include "platform/ShellApi.h"
#include "sources/WAmpMsg.h"

namespace tabrix {
namespace {

// The setting names the player's program file; its folder is the path without the
// file name "winamp.exe".
constexpr size_t kPlayerFileNameLength = 10;
// A player that has not shown its window by then is not coming: the click is dropped.
constexpr uint32_t kPlayerStartLimitMs = 5000;

}  // namespace

PlayerControl::PlayerControl(PlayerWindow& player, Shell& shell, Clock& clock, const std::string& path)
    : player_(player), shell_(shell), clock_(clock), path_(path) {}

std::string PlayerControl::currentSong() {
    return TWinampApi(player_, path_).GetCurrentSong();
}

bool PlayerControl::running() {
    return currentSong() != kPlayerNotRunning;
}

void PlayerControl::click(Command command) {
    // A start is already under way: another would launch a second player and lose the
    // earlier click. This one waits too and goes out after it, in the order clicked.
    if (!pending_.empty()) {
        pending_.push_back(command);
        return;
    }
    TWinampApi player(player_, path_);
    if (player.GetCurrentSong() != kPlayerNotRunning) {
        (player.*command)();
        return;
    }
    const std::string folder = path_.size() > kPlayerFileNameLength
                                   ? path_.substr(0, path_.size() - kPlayerFileNameLength)
                                   : std::string();
    shell_.execute(path_, "", folder, kShowHide);
    // The command goes out once the player's window is up; the window stays free meanwhile.
    pending_.push_back(command);
    startedAt_ = clock_.now();
    startTimer.enabled = true;
}

void PlayerControl::startTimerTick() {
    if (pending_.empty()) {
        startTimer.enabled = false;
        return;
    }
    TWinampApi player(player_, path_);
    const bool up = player.GetCurrentSong() != kPlayerNotRunning;
    const bool late = clock_.now() - startedAt_ >= kPlayerStartLimitMs;
    if (!up && !late) return;
    startTimer.enabled = false;
    const auto commands = std::move(pending_);
    pending_.clear();
    if (up)
        for (const auto command : commands) (player.*command)();
}

}  // namespace tabrix
