#pragma once
#include "platform/Pixels.h"

namespace tabrix {

// The screen's scale against the 96 dots per inch every place and picture is designed for,
// read once at start-up. Inside the running program every place is in device pixels;
// config.ini keeps design units, so a layout reads the same on a screen of another scale.
class Scale {
public:
    static constexpr int kDesignDpi = 96;

    // A resolution the system cannot tell (0 or less) is the design's.
    explicit Scale(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

    int dpi() const { return dpi_; }
    bool isDesign() const { return dpi_ == kDesignDpi; }
    // Halves go away from zero, so a place and its mirror image scale alike.
    int toDevice(int design) const { return convert(design, dpi_, kDesignDpi); }
    int toDesign(int device) const { return convert(device, kDesignDpi, dpi_); }
    // The program's own pictures are drawn for 96, 144 and 192 dots per inch; this is the one
    // of those nearest the screen's (a tie goes to the smaller, which is enlarged rather than
    // thinned: no line of it is dropped).
    int drawnDpi() const;
    // The picture, drawn for drawnDpi dots per inch, enlarged (or shrunk) to the screen's
    // scale with nearest neighbour: every pixel is one of the original's, so a colour key
    // stays exact and no blend of it fringes the edges. Drawn for the screen's own scale,
    // the picture itself comes back, not a copy.
    Pixels picture(Pixels drawn, int drawnDpi = kDesignDpi) const;

private:
    static int convert(int value, int times, int per);
    int dpi_;
};

}  // namespace tabrix
