#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "forms/mGetRandomLabel.h"
#include "forms/mGlobalFunctions.h"

namespace forms {
namespace {

TEST(AddBackslash, EndsInExactlyOneBackslash) {
    for (const auto& [path, want] : std::vector<std::pair<std::wstring, std::wstring>>{
             {L"", L"\\"}, {L"\\", L"\\"}, {L"C:", L"C:\\"}, {L"C:\\", L"C:\\"}, {L"C:\\\\\\", L"C:\\"},
             {L"\\\\server\\share", L"\\\\server\\share\\"}})
        EXPECT_EQ(AddBackslash(path), want) << path;
}

TEST(LinkCaptionIndex, TheEndIndexesAreHalfAsLikelyAsTheInnerOnes) {
    // Over many draws from timer-like seeds that follow one another.
    constexpr int kDraws = 200000;
    std::array<int, 11> counts{};
    for (uint64_t seed = 0; seed < kDraws; ++seed) {
        const double r = FirstDrawFromSeed(seed * 977u + 12345u);
        ++counts[static_cast<size_t>(LinkCaptionIndex(r))];
    }
    const double inner = kDraws / 10.0;
    for (size_t i = 0; i < counts.size(); ++i)
        EXPECT_NEAR(counts[i], i == 0 || i == 10 ? inner / 2 : inner, inner * 0.05) << i;
}

}  // namespace
}  // namespace forms
