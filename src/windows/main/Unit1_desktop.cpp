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

void MainEvents::ForegroundChanged() {
    MainWindowState& window = f_.window_;
    if (!watchesForeground()) {
        window.fullScreenHidden = false;
        return;
    }
    Desktop& desktop = f_.platform_.desktop;
    const ForegroundWindow foreground = desktop.foregroundWindow();
    const ScreenRect widget{window.left, window.top, window.left + window.width, window.top + window.height};
    window.fullScreenHidden =
        mayBeFullScreen(foreground) && hiddenByFullScreen(foreground, desktop.monitorRects(), widget);
}

bool MainEvents::watchesForeground() const {
    return f_.stored_.settings.hideFullScreen;
}

}  // namespace tabrix
