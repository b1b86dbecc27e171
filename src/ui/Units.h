// Units of the forms: positions and sizes are designed in twips (1440 to the
// inch, 15 to the pixel at 96 dots per inch), pictures and stored control
// extents measure in HIMETRIC (hundredths of a millimetre, 2540 to the inch),
// and drawing is in pixels. Every conversion here rounds the one way CLng says.
// The arithmetic is platform-free; ScreenDpi alone asks Windows (UnitsWin.cpp).
#pragma once
#include <cstdint>

namespace ui {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kHimetricPerInch = 2540;
inline constexpr int kStandardDpi = 96;

// The nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5
// gives 4, -2.5 gives -2). Values beyond the 32-bit range give its ends, and
// NaN gives 0.
int32_t CLng(double v) noexcept;

// A resolution of zero or less cannot be the screen's; the conversions take the
// standard 96 dots per inch in its place.
double TwipsPerPixel(int dpi) noexcept;
int32_t TwipsToPixels(double twips, int dpi) noexcept;
int32_t PixelsToTwips(double pixels, int dpi) noexcept;
int32_t HimetricToPixels(int32_t himetric, int dpi) noexcept;
int32_t PixelsToHimetric(int32_t pixels, int dpi) noexcept;

// The screen's logical resolution along each axis, 96 where it cannot be read.
// Windows only.
struct Dpi {
    int x = kStandardDpi;
    int y = kStandardDpi;
};
Dpi ScreenDpi();

}  // namespace ui
