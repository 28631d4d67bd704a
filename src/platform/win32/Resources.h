#pragma once
#include <windows.h>

#include "platform/Pixels.h"

namespace tabrix::win32 {

// Resource ids of the pictures built into the exe (see tools/make_assets.py).
enum ResourceId {
    kIconProgram = 1,
    kBmpBack = 101,
    kBmpPlay = 102,
    kBmpPause = 103,
    kBmpStop = 104,
    kBmpForward = 105,
    kBmpBalloon = 110,
    kBmpWarning = 111,
    kJpegBanner = 140,
    kBmpMenuFirst = 130,  // the popup menu's 16 x 16 pictures, MenuIcon order
    kMenuIconCount = 11,
};

// A bitmap resource as pixels; empty when the resource is missing.
Pixels loadBitmapResource(HINSTANCE instance, int id);
HICON loadProgramIcon(HINSTANCE instance);
// The program's icon at the system's small-icon size (it grows with the screen's scale), for
// the notification area; shared, so never destroyed.
HICON loadSmallProgramIcon(HINSTANCE instance);

}  // namespace tabrix::win32
