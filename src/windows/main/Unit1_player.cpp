// The song poll of the player mini-controls; the buttons' clicks go to PlayerControl.
#include "windows/main/Unit1.h"

namespace tabrix {
namespace {

constexpr char kTrailingBlanks[] = "     ";

}  // namespace

void TForm1::WinampTimerTimer() {
    const std::string song = player_.currentSong();
    report_.figures().song = song;
    const std::string t = song + kTrailingBlanks;
    // An unchanged song leaves the line, and with it the scrolling position, alone.
    if (t != stored_.rememberedSong) controls_.setText(kLabelSong, t);
    stored_.rememberedSong = t;
}

void TForm1::PlayerPictureClick(int image) {
    static const struct {
        int image;
        PlayerCommand command;
    } kButtons[] = {{kImagePlay, PlayerCommand::Play},
                    {kImagePause, PlayerCommand::Pause},
                    {kImageStop, PlayerCommand::Stop},
                    {kImageBack, PlayerCommand::Previous},
                    {kImageNext, PlayerCommand::Next}};
    for (const auto& b : kButtons)
        if (b.image == image) return player_.click(b.command);
}

}  // namespace tabrix
