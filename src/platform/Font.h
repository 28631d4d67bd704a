#pragma once
#include <cstdint>
#include <string>

namespace tabrix {

// A font as a control describes it; the views make the GDI font from it.
struct Font {
    std::string face = "Tahoma";
    int height = -11;             // LOGFONT height: negative = character height in pixels
    uint32_t color = 0x80000008;  // clWindowText until start-up sets the label colour
    int charset = 1;              // DEFAULT_CHARSET; the window font becomes ANSI (0)
    bool bold = false;

    bool operator==(const Font& o) const {
        return face == o.face && height == o.height && color == o.color && charset == o.charset &&
               bold == o.bold;
    }
};

// Font height for a size in points at the screen's resolution, as MulDiv(points, dpi, 72).
int pointsToHeight(int points, int dpi);

}  // namespace tabrix
