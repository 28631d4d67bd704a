// The player mini-controls: the five buttons' clicks and the song poll.
#include "app/Unit1.h"
#include "platform/ShellApi.h"
#include "sources/WAmpMsg.h"

#include <utility>

namespace tabrix {
namespace {

constexpr char kTrailingBlanks[] = "     ";
// The setting names the player's program file; its folder is the path without the
// file name "winamp.exe".
constexpr size_t kPlayerFileNameLength = 10;
// A player that has not shown its window by then is not coming: the click is dropped.
constexpr uint32_t kPlayerStartLimitMs = 5000;

}  // namespace

void TForm1::WinampTimerTimer() {
    const std::string t = TWinampApi(platform_.player, stored_.settings.winampPath).GetCurrentSong() + kTrailingBlanks;
    // An unchanged song leaves the line, and with it the scrolling position, alone.
    if (t != stored_.rememberedSong) setLabelText(kLabelSong, t);
    stored_.rememberedSong = t;
}

void TForm1::playerClick(void (TWinampApi::*command)()) {
    // A start is already under way: another would launch a second player and lose the
    // earlier click. This one waits too and goes out after it, in the order clicked.
    if (!pendingPlayerCommands_.empty()) {
        pendingPlayerCommands_.push_back(command);
        return;
    }
    const std::string& path = stored_.settings.winampPath;
    TWinampApi player(platform_.player, path);
    if (player.GetCurrentSong() != kPlayerNotRunning) {
        (player.*command)();
        return;
    }
    const std::string folder = path.size() > kPlayerFileNameLength
                                   ? path.substr(0, path.size() - kPlayerFileNameLength)
                                   : std::string();
    platform_.shell.execute(path, "", folder, kShowHide);
    // The command goes out once the player's window is up; the window stays free meanwhile.
    pendingPlayerCommands_.push_back(command);
    playerStartedAt_ = platform_.clock.now();
    PlayerStartTimer.enabled = true;
}

void TForm1::PlayerStartTimerTimer() {
    if (pendingPlayerCommands_.empty()) {
        pendingPlayerCommands_.clear();
        PlayerStartTimer.enabled = false;
        return;
    }
    TWinampApi player(platform_.player, stored_.settings.winampPath);
    const bool up = player.GetCurrentSong() != kPlayerNotRunning;
    const bool late = platform_.clock.now() - playerStartedAt_ >= kPlayerStartLimitMs;
    if (!up && !late) return;
    PlayerStartTimer.enabled = false;
    const auto commands = std::move(pendingPlayerCommands_);
    pendingPlayerCommands_.clear();
    if (up)
        for (const auto command : commands) (player.*command)();
}

void TForm1::Image6Click() {
    playerClick(&TWinampApi::Previous);
}
void TForm1::Image2Click() {
    playerClick(&TWinampApi::Play);
}
void TForm1::Image3Click() {
    playerClick(&TWinampApi::Pause);
}
void TForm1::Image4Click() {
    playerClick(&TWinampApi::Stop);
}
void TForm1::Image7Click() {
    playerClick(&TWinampApi::Next);
}

}  // namespace tabrix
