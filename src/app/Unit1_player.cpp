// The player mini-controls: the five buttons' clicks and the song poll.
#include "app/Unit1.h"
#include "platform/ShellApi.h"
#include "sources/WAmpMsg.h"

namespace tabrix {
namespace {

constexpr char kTrailingBlanks[] = "     ";
// The setting names the player's program file; its folder is the path without the
// file name "winamp.exe".
constexpr size_t kPlayerFileNameLength = 10;
// A player that has not shown its window by then is not coming: the click gives up
// rather than hold the window any longer.
constexpr uint32_t kPlayerStartLimitMs = 5000;
constexpr uint32_t kPlayerPollMs = 50;

}  // namespace

void TForm1::WinampTimerTimer() {
    if (!platform_.player) return;
    const std::string t =
        TWinampApi(*platform_.player, stored_.winampPath).GetCurrentSong() + kTrailingBlanks;
    // An unchanged song leaves the line, and with it the scrolling position, alone.
    if (t != stored_.rememberedSong) setLabelText(14, t);
    stored_.rememberedSong = t;
}

void TForm1::playerClick(void (TWinampApi::*command)()) {
    if (!platform_.player) return;
    PlayerWindow& windows = *platform_.player;
    const std::string& path = stored_.winampPath;
    if (TWinampApi(windows, path).GetCurrentSong() == kPlayerNotRunning) {
        if (platform_.shell) {
            const std::string folder = path.size() > kPlayerFileNameLength
                                           ? path.substr(0, path.size() - kPlayerFileNameLength)
                                           : std::string();
            platform_.shell->execute(path, "", folder, kShowHide);
        }
        // Short sleeps, no message pump: nothing else of the window may run (a Reload
        // would pull the window away under this handler), and the limit keeps the hold short.
        Waiter* waiter = platform_.waiter;
        const uint32_t start = waiter ? waiter->now() : 0;
        while (TWinampApi(windows, path).GetCurrentSong() == kPlayerNotRunning) {
            if (!waiter || waiter->now() - start >= kPlayerStartLimitMs) return;
            waiter->sleep(kPlayerPollMs);
        }
    }
    TWinampApi player(windows, path);
    if (player.GetCurrentSong() != kPlayerNotRunning) (player.*command)();
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
