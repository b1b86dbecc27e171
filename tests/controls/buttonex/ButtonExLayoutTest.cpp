// The button's arithmetic at its limits, natively under the sanitizers (the
// everyday cases show in the pixel tests under Wine).
#include <gtest/gtest.h>

#include "controls/buttonex/ButtonExLayout.h"

namespace buttonex {
namespace {

using namespace layout;

TEST(ButtonExLayout, DivisionPositionsAndAccessKeysAtTheirLimits) {
    // Division truncates, by zero gives 0, never overflows; positions saturate.
    EXPECT_EQ((std::vector{IDiv(-7, 2), IDiv(7, 0), IDiv(INT32_MIN, -1)}), (std::vector{-3, 0, INT32_MAX}));
    EXPECT_EQ(PicturePosition(Up, 1, 24, 16, INT32_MAX, 0), (Point{INT32_MAX, 6}));
    EXPECT_EQ(PicturePosition(Down, 2, INT32_MAX, INT32_MIN, INT32_MIN, 0), (Point{INT32_MIN + 1, INT32_MAX}));
    const CaptionInput distant{.state = Down,
                               .sw = INT32_MAX,
                               .sh = INT32_MIN,
                               .textWidth = INT32_MIN,
                               .textHeight = INT32_MAX,
                               .offsetY = INT32_MIN};
    EXPECT_EQ(CaptionPosition(distant), (Point{INT32_MAX, INT32_MIN}));
    EXPECT_EQ(FindAccessKey(L"Save && E&xit"), std::optional<std::wstring>(L"x"));
    EXPECT_EQ(FindAccessKey(L"A&&B"), std::nullopt);
    EXPECT_EQ(FindAccessKey(L"&&&"), std::optional<std::wstring>(L""));
    EXPECT_EQ(MeasuredCaption(L"a&b&c"), L"ab&c");
}

}  // namespace
}  // namespace buttonex
