#include "forms/Scale.h"

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

Pixels Scale::picture(Pixels design) const {
    if (isDesign() || design.empty() ||
        design.data.size() < static_cast<size_t>(design.width) * design.height)
        return design;
    Pixels out;
    out.width = std::max(1, toDevice(design.width));
    out.height = std::max(1, toDevice(design.height));
    out.data.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        // Each device pixel takes the design pixel under its centre.
        const int sy = static_cast<int>((2LL * y + 1) * design.height / (2LL * out.height));
        for (int x = 0; x < out.width; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * design.width / (2LL * out.width));
            out.data[static_cast<size_t>(y) * out.width + x] = design.at(sx, sy);
        }
    }
    return out;
}

}  // namespace tabrix
