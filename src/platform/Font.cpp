#include "platform/Font.h"

#include <cstdlib>

namespace tabrix {

int pointsToHeight(int points, int dpi) {
    // MulDiv rounds halves away from zero; the sign makes it a character height.
    const long long num = static_cast<long long>(points) * dpi;
    const long long q = (std::llabs(num) * 2 + 72) / 144;
    return -static_cast<int>(num < 0 ? -q : q);
}

}  // namespace tabrix
