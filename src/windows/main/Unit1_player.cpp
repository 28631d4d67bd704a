// The song poll of the player mini-controls.
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

}  // namespace tabrix
