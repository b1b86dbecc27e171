// Twips, HIMETRIC and pixels: the one rounding rule and the limits, natively under the sanitizers.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "ui/Units.h"

namespace ui {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();

// One conversion, what it gives, and what it is called in a failure.
struct Conversion {
    const char* what;
    int32_t got;
    int32_t expected;
};
void check(std::initializer_list<Conversion> cases) {
    for (const Conversion& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.got, c.expected);
    }
}

TEST(Units, HalvesRoundToEvenInEveryConversion) {
    check({
        {"CLng(2.5)", CLng(2.5), 2},
        {"CLng(3.5)", CLng(3.5), 4},
        {"CLng(-2.5)", CLng(-2.5), -2},
        {"CLng(-3.5)", CLng(-3.5), -4},
        {"CLng(0.49999999999999994)", CLng(0.49999999999999994), 0},
        // At 144 dpi a pixel is 10 twips: 225 and 235 twips both lie halfway.
        {"225 twips at 144 dpi", TwipsToPixels(225, 144), 22},
        {"235 twips at 144 dpi", TwipsToPixels(235, 144), 24},
        {"-225 twips at 144 dpi", TwipsToPixels(-225, 144), -22},
        // 3175 HIMETRIC is 12.5 pixels at 10 dpi; at 576 dpi a pixel is 2.5 twips.
        {"3175 HIMETRIC at 10 dpi", HimetricToPixels(3175, 10), 12},
        {"-3175 HIMETRIC at 10 dpi", HimetricToPixels(-3175, 10), -12},
        {"1 pixel at 576 dpi", PixelsToTwips(1, 576), 2},
        {"3 pixels at 576 dpi", PixelsToTwips(3, 576), 8},
    });
}

TEST(Units, ExtremesClampInsteadOfWrappingAndABadResolutionIsTheStandardOne) {
    // Above about 22 million HIMETRIC a 32-bit product of the extent and 96 would wrap.
    check({
        {"25,000,000 HIMETRIC at 96 dpi", HimetricToPixels(25'000'000, 96), 944'882},
        {"the most HIMETRIC at 96 dpi", HimetricToPixels(kMax, 96), 81'164'736},
        {"the least HIMETRIC at 96 dpi", HimetricToPixels(kMin, 96), -81'164'736},
        {"the most HIMETRIC at the most dpi", HimetricToPixels(kMax, kMax), kMax},
        {"the least HIMETRIC at the most dpi", HimetricToPixels(kMin, kMax), kMin},
        {"the most pixels in HIMETRIC at 96 dpi", PixelsToHimetric(kMax, 96), kMax},
        {"the least pixels in HIMETRIC at 1 dpi", PixelsToHimetric(kMin, 1), kMin},
        {"1e300 twips", TwipsToPixels(1e300, 96), kMax},
        {"-1e300 pixels in twips", PixelsToTwips(-1e300, 96), kMin},
        {"NaN twips", TwipsToPixels(std::nan(""), 96), 0},
        {"infinite pixels in twips", PixelsToTwips(std::numeric_limits<double>::infinity(), 96), kMax},
    });
    for (const int bad : {0, -96, kMin}) {
        EXPECT_EQ(TwipsToPixels(150, bad), 10) << bad;
        EXPECT_EQ(PixelsToTwips(10, bad), 150) << bad;
        EXPECT_EQ(HimetricToPixels(2540, bad), 96) << bad;
        EXPECT_EQ(PixelsToHimetric(96, bad), 2540) << bad;
        EXPECT_EQ(TwipsPerPixel(bad), 15.0) << bad;
    }
}

}  // namespace
}  // namespace ui
