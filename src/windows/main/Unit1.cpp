#include "windows/main/Unit1.h"

namespace tabrix {

TForm1::TForm1(Platform& platform, StoredValues& stored, ErrorSink& errors)
    : platform_(platform),
      stored_(stored),
      errors_(errors),
      scale_(platform.desktop.screenDpi()),
      graphs_(scale_),
      controls_(platform.text, scale_),
      player_(platform, stored.settings.winampPath),
      report_(
          platform, errors, [this](int n) { return controls_.label(n).text; },
          [this] { return player_.currentSong(); }),
      sources_(platform),
      sensors_(platform) {
    const Extent frame = platform_.desktop.frameSize(true);
    window_.width = scale_.toDevice(kClientWidth) + frame.width;
    window_.height = scale_.toDevice(kClientHeight) + frame.height;
    window_.font.face = "Tahoma";
    window_.font.height = pointsToHeight(kDesignFontPoints, scale_.dpi());
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
    skin.width = window_.width;
    skin.height = window_.height;
    controls_.centreCpuName(window_.width);
}

void TForm1::Resized(int width, int height) {
    window_.width = width;
    window_.height = height;
    FormResize();
}

void TForm1::PreviewOpacity(int position) {
    window_.alphaBlend = position != 255;
    window_.alpha = static_cast<uint8_t>(position);
}

void TForm1::PreviewSkin(const Pixels* skin) {
    controls_.image(kImageSkin).bitmap = skin ? scale_.picture(*skin) : Pixels{};
    // The new picture carries no banner strip.
    window_.bannerPainted = false;
}

std::array<std::pair<const Timer*, void (TForm1::*)()>, kMainTimerCount> TForm1::timerHandlers() const {
    return {{{&timers_.systimer, &TForm1::systimerTimer},
             {&timers_.FileTimer1, &TForm1::FileTimer1Timer},
             {&timers_.WinampTimer, &TForm1::WinampTimerTimer},
             {&timers_.IPTImer, &TForm1::IPTImerTimer},
             {&timers_.tmrTraffic, &TForm1::tmrTrafficTimer},
             {&timers_.DrawTimer, &TForm1::DrawTimerTimer},
             {&timers_.ScrollTimer, &TForm1::ScrollTimerTimer},
             {&player_.startTimer, &TForm1::PlayerStartTimerTimer}}};
}

}  // namespace tabrix
