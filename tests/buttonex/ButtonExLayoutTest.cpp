// The button's arithmetic at its limits, natively under the sanitizers (the
// everyday cases show in the pixel tests under Wine).
#include <gtest/gtest.h>

#include "controls/buttonex/ButtonExLayout.h"
#include "controls/buttonex/SkinShape.h"

namespace buttonex {
namespace {

using namespace layout;

TEST(ButtonExLayout, RoundingDivisionAccessKeysAndSkinRunsAtTheirLimits) {
    // Halves to even, saturates; division truncates, by zero gives 0, never overflows.
    EXPECT_EQ((std::vector{CLng(2.5), CLng(-3.5), CLng(1e12), CLng(-1e12)}), (std::vector{2, -4, INT32_MAX, INT32_MIN}));
    EXPECT_EQ((std::vector{IDiv(-7, 2), IDiv(7, 0), IDiv(INT32_MIN, -1)}), (std::vector{-3, 0, INT32_MAX}));
    EXPECT_EQ(FindAccessKey(L"Save && E&xit"), std::optional<std::wstring>(L"x"));
    EXPECT_EQ(FindAccessKey(L"A&&B"), std::nullopt);
    EXPECT_EQ(FindAccessKey(L"&&&"), std::optional<std::wstring>(L""));
    EXPECT_EQ(MeasuredCaption(L"a&b&c"), L"ab&c");
    // Pixels are 0x00RRGGBB, the mask 0x00BBGGRR: 0x00FFC0C0 is R C0, G C0, B FF.
    const uint32_t m = 0x00C0C0FF, a = 0x00112233;
    const uint32_t px[] = {m, a, a, m, a,  //
                           m, m, m, m, m,  //
                           a, a, a, a, a};
    EXPECT_EQ(OpaqueRuns(px, 5, 3, 5, 0x00FFC0C0), (std::vector<buttonex::Run>{{1, 0, 3, 1}, {4, 0, 5, 1}, {0, 2, 5, 3}}));
    EXPECT_TRUE(OpaqueRuns(px, 5, 3, 4, 0).empty());  // a stride shorter than a row is refused
}

}  // namespace
}  // namespace buttonex
