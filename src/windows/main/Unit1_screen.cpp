// The main window kept where a screen shows it, and the system's announcements of a new
// display mode or new user settings.
#include "platform/SystemApi.h"
#include "windows/main/OnScreen.h"
#include "windows/main/Unit1.h"

namespace tabrix {

void MainEvents::DisplayChanged() {
    Platform& platform = f_.platform_;
    MainWindowState& window = f_.window_;
    platform.system.displayChanged();
    platform.desktop.displayChanged();
    const WindowPlace kept =
        keptOnScreen({window.left, window.top, window.width, window.height}, platform.desktop.workAreas());
    window.left = kept.left;
    window.top = kept.top;
}

void MainEvents::SettingChanged() {
    f_.platform_.system.settingsChanged();
}

}  // namespace tabrix
