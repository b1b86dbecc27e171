#include "forms/mGetRandomLabel.h"

#include <cmath>
#include <random>

namespace forms {

int LinkCaptionIndex(double r) {
    if (!(r > 0.0)) return 0;  // also NaN
    const double x = r * kLinkCaptionUpperBound;
    if (x >= kLinkCaptionUpperBound) return kLinkCaptionUpperBound;
    // Written out rather than left to the floating-point rounding mode, which a
    // library we call could have changed.
    const double whole = std::floor(x);
    const double fraction = x - whole;
    int index = static_cast<int>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && index % 2 != 0)) ++index;
    return index;
}

double FirstDrawFromSeed(uint64_t seed) {
    std::mt19937_64 generator(seed);
    // 53 random bits scaled into [0, 1): never 1.0, unlike some
    // generate_canonical implementations.
    return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

}  // namespace forms
