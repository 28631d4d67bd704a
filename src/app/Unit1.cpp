#include "app/Unit1.h"

namespace tabrix {
namespace {

constexpr int kDesignFontHeight = -11;  // Tahoma 8 points at 96 dots per inch

}  // namespace

TForm1::TForm1(Platform& platform, StoredValues& stored, ErrorSink& errors)
    : platform_(platform),
      stored_(stored),
      errors_(errors),
      controls_(platform.text),
      player_(platform.player, platform.shell, platform.clock, stored.settings.winampPath),
      report_(platform, errors, [this](int n) { return controls_.label(n).text; }),
      sources_(platform),
      sensors_(platform) {
    const Extent frame = platform_.desktop.frameSize(true);
    window.width = kClientWidth + frame.width;
    window.height = kClientHeight + frame.height;
    window.font.face = "Tahoma";
    window.font.height = kDesignFontHeight;
}

bool resizeWindow(MainWindowState& window, int width, int height) {
    // A window has no negative extent; the system clamps such a request to nothing.
    width = width < 0 ? 0 : width;
    height = height < 0 ? 0 : height;
    if (width == window.width && height == window.height) return false;
    window.width = width;
    window.height = height;
    return true;
}

void TForm1::FormResize() {
    Picture& skin = controls_.image(kImageSkin);
    skin.left = 0;
    skin.top = 0;
    skin.width = window.width;
    skin.height = window.height;
    controls_.centreCpuName(window.width);
}

std::array<std::pair<Timer*, void (TForm1::*)()>, TForm1::kTimerCount> TForm1::timerHandlers() {
    return {{{&timers.systimer, &TForm1::systimerTimer},
             {&timers.FileTimer1, &TForm1::FileTimer1Timer},
             {&timers.WinampTimer, &TForm1::WinampTimerTimer},
             {&timers.IPTImer, &TForm1::IPTImerTimer},
             {&timers.tmrTraffic, &TForm1::tmrTrafficTimer},
             {&timers.DrawTimer, &TForm1::DrawTimerTimer},
             {&timers.ScrollTimer, &TForm1::ScrollTimerTimer},
             {&player_.startTimer, &TForm1::PlayerStartTimerTimer}}};
}

}  // namespace tabrix
