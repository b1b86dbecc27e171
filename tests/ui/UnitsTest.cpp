// Twips, HIMETRIC and pixels: the one rounding rule and the limits, natively under the sanitizers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ui/Units.h"

namespace ui {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();

TEST(Units, HalvesRoundToEvenInEveryConversion) {
    EXPECT_EQ((std::vector{CLng(2.5), CLng(3.5), CLng(-2.5), CLng(-3.5), CLng(0.49999999999999994)}),
              (std::vector{2, 4, -2, -4, 0}));
    // At 144 dpi a pixel is 10 twips: 225 and 235 twips both lie halfway.
    EXPECT_EQ((std::vector{TwipsToPixels(225, 144), TwipsToPixels(235, 144), TwipsToPixels(-225, 144)}),
              (std::vector{22, 24, -22}));
    // 3175 HIMETRIC is 12.5 pixels at 10 dpi; at 576 dpi a pixel is 2.5 twips.
    EXPECT_EQ((std::vector{HimetricToPixels(3175, 10), HimetricToPixels(-3175, 10)}), (std::vector{12, -12}));
    EXPECT_EQ((std::vector{PixelsToTwips(1, 576), PixelsToTwips(3, 576)}), (std::vector{2, 8}));
}

TEST(Units, ExtremesClampInsteadOfWrappingAndABadResolutionIsTheStandardOne) {
    // Above about 22 million HIMETRIC a 32-bit product of the extent and 96 would wrap.
    EXPECT_EQ((std::vector{HimetricToPixels(25'000'000, 96), HimetricToPixels(kMax, 96), HimetricToPixels(kMin, 96),
                           HimetricToPixels(kMax, kMax), HimetricToPixels(kMin, kMax), PixelsToHimetric(kMax, 96),
                           PixelsToHimetric(kMin, 1), TwipsToPixels(1e300, 96), PixelsToTwips(-1e300, 96),
                           TwipsToPixels(std::nan(""), 96), PixelsToTwips(std::numeric_limits<double>::infinity(), 96)}),
              (std::vector{944'882, 81'164'736, -81'164'736, kMax, kMin, kMax, kMin, kMax, kMin, 0, kMax}));
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
