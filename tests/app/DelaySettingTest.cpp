// Delay texts read through the platform's own number conversion (oleaut32,
// which follows the locale the harness pins).
#include <gtest/gtest.h>

#include "app/DelaySetting.h"

namespace app {
namespace {

TEST(DelaySetting, StoredTextRoundsAndFallsBackToTenTypedTextKeepsWholeMinutesFromOne) {
    const std::pair<const wchar_t*, int32_t> cases[] = {{L"15", 15},
                                                        {L"2.5", 2},
                                                        {L"3.5", 4},
                                                        {L"2.6", 3},
                                                        {L" 7 ", 7},
                                                        // Unusable text, and delays of 0 or less, never leave a delay
                                                        // that logs an active person off at every tick.
                                                        {L"abc", 10},
                                                        {L"", 10},
                                                        {L"0", 10},
                                                        {L"-3", 10},
                                                        {L"0.4", 10},
                                                        {L"99999999999", 10}};
    for (const auto& [text, minutes] : cases)
        EXPECT_EQ(DelayFromStoredText(text), minutes) << testing::PrintToString(std::wstring(text));
    // Typed text keeps its whole part toward minus infinity, from 1 up.
    EXPECT_EQ(DelayFromTypedText(L"15"), 15);
    EXPECT_EQ(DelayFromTypedText(L"2.9"), 2);
    EXPECT_EQ(DelayFromTypedText(L"2147483647"), 2147483647);
    // As a Japanese input method types them.
    EXPECT_EQ(DelayFromTypedText(L"\uFF11\uFF15"), 15);
    EXPECT_EQ(DelayFromTypedText(L"\uFF12\uFF0E\uFF19"), 2);
    for (const wchar_t* bad : {L"", L"0", L"0.5", L"-0.5", L"-3", L"abc", L"99999999999", L"2147483648"})
        EXPECT_FALSE(DelayFromTypedText(bad).has_value()) << testing::PrintToString(std::wstring(bad));
}

}  // namespace
}  // namespace app
