#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

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
    // The same pictures drawn for 150 % and 200 % are whole files (RCDATA) at these offsets
    // from their design ids; the skins', which are files only, from 150 on.
    kDrawnAt150 = 1000,
    kDrawnAt200 = 2000,
    kDrawnFirst = 100,
    kDrawnLast = 199,
    kDrawnBannerShift = 500,  // the banner's copies, past the pictures' ids
};

// An RCDATA resource's bytes; empty when it is missing.
std::string loadDataResource(HINSTANCE instance, int id);
// The resource id offset of the set drawn for dpi, or -1 when none is.
int drawnOffset(int dpi);

// A bitmap resource as pixels; empty when the resource is missing.
Pixels loadBitmapResource(HINSTANCE instance, int id);
HICON loadProgramIcon(HINSTANCE instance);

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
// The program's icon for size x size pixels, from the nearest of the sizes its file holds
// (16, 32, 48, 64); null when it cannot be loaded.
OwnedIcon loadProgramIcon(HINSTANCE instance, int size);
// The program's icon at the system's small-icon size (it grows with the screen's scale), for
// the notification area; shared, so never destroyed.
HICON loadSmallProgramIcon(HINSTANCE instance);

}  // namespace tabrix::win32
