// Delay texts read through the platform's own number conversion (oleaut32,
// which follows the locale the harness pins).
#include <gtest/gtest.h>

#include "app/DelaySetting.h"

namespace app {
namespace {

TEST(DelayFromStoredText, ConvertsAsThePlatformDoesAndFallsBackToTenForUnusableText) {
    EXPECT_EQ(DelayFromStoredText(L"15"), 15);
    EXPECT_EQ(DelayFromStoredText(L"10"), 10);
    // Halves go to the even neighbour.
    EXPECT_EQ(DelayFromStoredText(L"2.5"), 2);
    EXPECT_EQ(DelayFromStoredText(L"3.5"), 4);
    EXPECT_EQ(DelayFromStoredText(L"2.6"), 3);
    EXPECT_EQ(DelayFromStoredText(L" 7 "), 7);
    // Unusable text, and delays of 0 or less, never leave a delay that logs an
    // active person off at every tick.
    for (const wchar_t* bad : {L"abc", L"", L"   ", L"0", L"-3", L"0.4", L"99999999999", L"1,2,3x"})
        EXPECT_EQ(DelayFromStoredText(bad), kDefaultDelayMinutes) << "text: " << testing::PrintToString(std::wstring(bad));
}

TEST(DelayFromTypedText, TakesTheIntegerPartTowardMinusInfinityAndOnlyOneOrMore) {
    EXPECT_EQ(DelayFromTypedText(L"15"), 15);
    EXPECT_EQ(DelayFromTypedText(L"2.9"), 2);
    EXPECT_EQ(DelayFromTypedText(L"7.9"), 7);
    EXPECT_EQ(DelayFromTypedText(L"1"), 1);
    EXPECT_EQ(DelayFromTypedText(L"2147483647"), 2147483647);
    for (const wchar_t* bad : {L"", L"0", L"0.5", L"-0.5", L"-3", L"abc", L"99999999999", L"2147483648"})
        EXPECT_FALSE(DelayFromTypedText(bad).has_value()) << testing::PrintToString(std::wstring(bad));
}

TEST(DelayToText, IsPlainDecimal) {
    EXPECT_EQ(DelayToText(15), L"15");
    EXPECT_EQ(DelayToText(2147483647), L"2147483647");
}

}  // namespace
}  // namespace app
