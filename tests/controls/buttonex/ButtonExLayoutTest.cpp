// The button's arithmetic at its limits, natively under the sanitizers (the
// everyday cases show in the pixel tests under Wine).
#include <gtest/gtest.h>

#include "controls/buttonex/ButtonExLayout.h"

namespace buttonex {
namespace {

using namespace layout;

TEST(ButtonExLayout, DivisionAndAccessKeysAtTheirLimits) {
    // Division truncates, by zero gives 0, never overflows.
    EXPECT_EQ((std::vector{IDiv(-7, 2), IDiv(7, 0), IDiv(INT32_MIN, -1)}), (std::vector{-3, 0, INT32_MAX}));
    EXPECT_EQ(FindAccessKey(L"Save && E&xit"), std::optional<std::wstring>(L"x"));
    EXPECT_EQ(FindAccessKey(L"A&&B"), std::nullopt);
    EXPECT_EQ(FindAccessKey(L"&&&"), std::optional<std::wstring>(L""));
    EXPECT_EQ(MeasuredCaption(L"a&b&c"), L"ab&c");
}

}  // namespace
}  // namespace buttonex
