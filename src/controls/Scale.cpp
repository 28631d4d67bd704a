#include "controls/Scale.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace tabrix {

int Scale::convert(int value, int times, int per) {
    const long long q = (std::llabs(static_cast<long long>(value) * times) * 2 + per) / (2LL * per);
    const long long r = value < 0 ? -q : q;
    // A place read from a file may be any number; the result stays one.
    return r > INT_MAX ? INT_MAX : r < INT_MIN ? INT_MIN : static_cast<int>(r);
}

int Scale::drawnDpi() const {
    constexpr int k150 = kDesignDpi * 3 / 2, k200 = kDesignDpi * 2;
    if (dpi_ <= (kDesignDpi + k150) / 2) return kDesignDpi;
    return dpi_ <= (k150 + k200) / 2 ? k150 : k200;
}

Pixels Scale::picture(Pixels drawn, int drawnDpi) const {
    if (drawnDpi <= 0) drawnDpi = kDesignDpi;
    if (drawnDpi == dpi_ || drawn.empty() ||
        drawn.data.size() < static_cast<size_t>(drawn.width) * drawn.height)
        return drawn;
    // The size it has at the screen's scale is its design size's, rounded the same way.
    Pixels out;
    out.width = std::max(1, toDevice(convert(drawn.width, kDesignDpi, drawnDpi)));
    out.height = std::max(1, toDevice(convert(drawn.height, kDesignDpi, drawnDpi)));
    out.data.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        // Each device pixel takes the drawn pixel under its centre.
        const int sy = static_cast<int>((2LL * y + 1) * drawn.height / (2LL * out.height));
        for (int x = 0; x < out.width; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * drawn.width / (2LL * out.width));
            out.data[static_cast<size_t>(y) * out.width + x] = drawn.at(sx, sy);
        }
    }
    return out;
}

}  // namespace tabrix
