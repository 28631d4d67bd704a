// The main window kept where a screen shows it.
#include "app/OnScreen.h"
#include "app/Unit1.h"

namespace tabrix {

void TForm1::DisplayChanged() {
    const WindowPlace kept =
        keptOnScreen({window.left, window.top, window.width, window.height}, platform_.desktop.workAreas());
    window.left = kept.left;
    window.top = kept.top;
}

}  // namespace tabrix
