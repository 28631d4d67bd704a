// The main window among the others on the desktop: out of the way of full-screen programs,
// and letting clicks through to what lies beneath.
#include "windows/main/FullScreen.h"
#include "windows/main/Unit1.h"

namespace tabrix {

void TForm1::applyDesktopSwitches(const StartupSettings& s) {
    stored_.settings.hideFullScreen = s.hideFullScreen;
    stored_.settings.clickThrough = s.clickThrough;
    // Without the tray icon nothing could ever turn it off again.
    window_.clickThrough = s.clickThrough && s.trayIcon;
    MenuItem& entry = findMenuItem(pmenu1_, "ClickThrough1");
    entry.enabled = s.trayIcon;
    entry.checked = window_.clickThrough;
    ForegroundChanged();
}

void TForm1::ForegroundChanged() {
    if (!stored_.settings.hideFullScreen) {
        window_.fullScreenHidden = false;
        return;
    }
    const ForegroundWindow foreground = platform_.desktop.foregroundWindow();
    const ScreenRect widget{window_.left, window_.top, window_.left + window_.width,
                            window_.top + window_.height};
    window_.fullScreenHidden = mayBeFullScreen(foreground) &&
                               hiddenByFullScreen(foreground, platform_.desktop.monitorRects(), widget);
}

}  // namespace tabrix
