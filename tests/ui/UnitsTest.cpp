// Twips, HIMETRIC and pixels: the one rounding rule and the limits, natively under
// the sanitizers. One conversion a check, so that a failure names it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ui/Units.h"

namespace ui {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();

TEST(Units, HalvesRoundToEvenInEveryConversion) {
    EXPECT_EQ(CLng(2.5), 2);
    EXPECT_EQ(CLng(3.5), 4);
    EXPECT_EQ(CLng(-2.5), -2);
    EXPECT_EQ(CLng(-3.5), -4);
    EXPECT_EQ(CLng(0.49999999999999994), 0);
    // At 144 dpi a pixel is 10 twips: 225 and 235 twips both lie halfway.
    EXPECT_EQ(TwipsToPixels(225, 144), 22);
    EXPECT_EQ(TwipsToPixels(235, 144), 24);
    // 3175 HIMETRIC is 12.5 pixels at 10 dpi; at 576 dpi a pixel is 2.5 twips.
    EXPECT_EQ(HimetricToPixels(3175, 10), 12);
    EXPECT_EQ(PixelsToTwips(1, 576), 2);
    EXPECT_EQ(PixelsToTwips(3, 576), 8);
}

TEST(Units, ExtremesClampInsteadOfWrappingAndABadResolutionIsTheStandardOne) {
    // Above about 22 million HIMETRIC a 32-bit product of the extent and 96 would wrap.
    EXPECT_EQ(HimetricToPixels(25'000'000, 96), 944'882);
    EXPECT_EQ(HimetricToPixels(kMax, 96), 81'164'736);
    EXPECT_EQ(HimetricToPixels(kMin, 96), -81'164'736);
    EXPECT_EQ(HimetricToPixels(kMax, kMax), kMax);
    EXPECT_EQ(HimetricToPixels(kMin, kMax), kMin);
    EXPECT_EQ(PixelsToHimetric(kMax, 96), kMax);
    EXPECT_EQ(PixelsToHimetric(kMin, 1), kMin);
    EXPECT_EQ(TwipsToPixels(1e300, 96), kMax);
    EXPECT_EQ(PixelsToTwips(-1e300, 96), kMin);
    EXPECT_EQ(TwipsToPixels(std::nan(""), 96), 0);
    EXPECT_EQ(PixelsToTwips(std::numeric_limits<double>::infinity(), 96), kMax);
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
