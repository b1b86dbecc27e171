// The button's arithmetic at its limits, natively under the sanitizers (the
// everyday cases show in the pixel tests under Wine).
#include <gtest/gtest.h>

#include "controls/buttonex/ButtonExLayout.h"

namespace buttonex {
namespace {

using namespace layout;

TEST(ButtonExLayout, DivisionAccessKeysAndSkinSizeAtTheirLimits) {
    // Division truncates, by zero gives 0, never overflows.
    EXPECT_EQ((std::vector{IDiv(-7, 2), IDiv(7, 0), IDiv(INT32_MIN, -1)}), (std::vector{-3, 0, INT32_MAX}));
    EXPECT_EQ(FindAccessKey(L"Save && E&xit"), std::optional<std::wstring>(L"x"));
    EXPECT_EQ(FindAccessKey(L"A&&B"), std::nullopt);
    EXPECT_EQ(FindAccessKey(L"&&&"), std::optional<std::wstring>(L""));
    EXPECT_EQ(MeasuredCaption(L"a&b&c"), L"ab&c");
    // A 100 x 40 pixel skin at 96 dpi reports 2646 x 1058 HIMETRIC; the button takes
    // 1503 x 601 twips from it (1.76 as written), which is 100 x 40 pixels again.
    constexpr int dpi = ui::kStandardDpi;
    const int32_t hmx = ui::PixelsToHimetric(100, dpi), hmy = ui::PixelsToHimetric(40, dpi);
    EXPECT_EQ(std::pair(hmx, hmy), std::pair(2646, 1058));
    EXPECT_EQ(std::pair(CLng(SkinTwips(hmx)), CLng(SkinTwips(hmy))), std::pair(1503, 601));
    EXPECT_EQ(std::pair(ui::TwipsToPixels(SkinTwips(hmx), dpi), ui::TwipsToPixels(SkinTwips(hmy), dpi)), std::pair(100, 40));
}

}  // namespace
}  // namespace buttonex
