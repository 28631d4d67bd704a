#include "windows/main/PlayerControl.h"

#include <utility>

#include "platform/Platform.h"
#include "platform/ShellApi.h"
#include "sources/WAmpMsg.h"

namespace tabrix {
namespace {

// The setting names the player's program file; its folder is the path without the
// file name "winamp.exe".
constexpr size_t kPlayerFileNameLength = 10;
// A player that has not shown its window by then is not coming: the click is dropped.
constexpr uint32_t kPlayerStartLimitMs = 5000;

void send(TWinampApi& player, PlayerCommand command) {
    static void (TWinampApi::*const kCommands[])() = {
        &TWinampApi::Previous, &TWinampApi::Play, &TWinampApi::Pause, &TWinampApi::Stop, &TWinampApi::Next};
    (player.*kCommands[static_cast<int>(command)])();
}

}  // namespace

PlayerControl::PlayerControl(Platform& platform, const std::string& path)
    : player_(platform.player),
      shell_(platform.shell),
      clock_(platform.clock),
      path_(path),
      other_(platform.player, platform.sharedMemory, platform.codepage, platform.clock) {}

std::string PlayerControl::currentSong() {
    TWinampApi winamp(player_, path_);
    if (winamp.running()) return winamp.GetCurrentSong();
    return other_.refresh() ? other_.song() : std::string(kPlayerNotRunning);
}

bool PlayerControl::running() {
    return followed() != PlayerKind::None;
}

PlayerKind PlayerControl::followed() {
    if (TWinampApi(player_, path_).running()) return PlayerKind::Winamp;
    return other_.refresh() ? other_.kind() : PlayerKind::None;
}

void PlayerControl::click(PlayerCommand command) {
    // A start is already under way: another would launch a second player and lose the
    // earlier click. This one waits too and goes out after it, in the order clicked.
    if (!pending_.empty()) {
        pending_.push_back(command);
        return;
    }
    TWinampApi player(player_, path_);
    if (player.running()) {
        send(player, command);
        return;
    }
    if (other_.refresh()) {
        other_.command(command);
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
    const bool up = player.running();
    const bool late = clock_.now() - startedAt_ >= kPlayerStartLimitMs;
    if (!up && !late) return;
    startTimer.enabled = false;
    const auto commands = std::move(pending_);
    pending_.clear();
    if (up)
        for (const PlayerCommand command : commands) send(player, command);
}

}  // namespace tabrix
