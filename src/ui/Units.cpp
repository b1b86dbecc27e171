#include "ui/Units.h"

#include <cmath>
#include <limits>

namespace ui {
namespace {

double dotsPerInch(int dpi) noexcept { return dpi > 0 ? dpi : kStandardDpi; }

}  // namespace

int32_t CLng(double v) noexcept {
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (v <= lo) return std::numeric_limits<int32_t>::min();
    if (v >= hi) return std::numeric_limits<int32_t>::max();
    // nearbyint follows the current rounding mode, which is round-half-even by default.
    return static_cast<int32_t>(std::nearbyint(v));
}

double TwipsPerPixel(int dpi) noexcept { return kTwipsPerInch / dotsPerInch(dpi); }

// Each product is formed in double, exact for every 32-bit value times any
// resolution, so nothing wraps before the result is clamped by CLng.
int32_t TwipsToPixels(double twips, int dpi) noexcept { return CLng(twips * dotsPerInch(dpi) / kTwipsPerInch); }

int32_t PixelsToTwips(double pixels, int dpi) noexcept { return CLng(pixels * kTwipsPerInch / dotsPerInch(dpi)); }

int32_t HimetricToPixels(int32_t himetric, int dpi) noexcept {
    return CLng(static_cast<double>(himetric) * dotsPerInch(dpi) / kHimetricPerInch);
}

int32_t PixelsToHimetric(int32_t pixels, int dpi) noexcept {
    return CLng(static_cast<double>(pixels) * kHimetricPerInch / dotsPerInch(dpi));
}

}  // namespace ui
