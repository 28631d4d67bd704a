// The main window kept where a screen shows it, and the system's announcements of a new
// display mode or new user settings.
#include "platform/SystemApi.h"
#include "windows/main/OnScreen.h"
#include "windows/main/Unit1.h"

namespace tabrix {

void TForm1::DisplayChanged() {
    platform_.system.displayChanged();
    platform_.desktop.displayChanged();
    const WindowPlace kept = keptOnScreen({window_.left, window_.top, window_.width, window_.height},
                                          platform_.desktop.workAreas());
    window_.left = kept.left;
    window_.top = kept.top;
}

void TForm1::SettingChanged() {
    platform_.system.settingsChanged();
}

}  // namespace tabrix
