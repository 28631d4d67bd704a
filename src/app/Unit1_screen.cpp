// The main window kept where a screen shows it, and the system's announcements of a new
// display mode or new user settings.
#include "app/OnScreen.h"
#include "app/Unit1.h"
#include "platform/SystemApi.h"

namespace tabrix {

void TForm1::DisplayChanged() {
    platform_.system.displayChanged();
    const WindowPlace kept =
        keptOnScreen({window.left, window.top, window.width, window.height}, platform_.desktop.workAreas());
    window.left = kept.left;
    window.top = kept.top;
}

void TForm1::SettingChanged() { platform_.system.settingsChanged(); }

}  // namespace tabrix
