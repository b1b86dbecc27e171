#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "forms/PixelRuns.h"
#include "forms/mGetRandomLabel.h"
#include "forms/mGlobalFunctions.h"

namespace forms {
namespace {

TEST(AddBackslash, EndsInExactlyOneBackslash) {
    EXPECT_EQ(AddBackslash(L""), L"\\");
    EXPECT_EQ(AddBackslash(L"\\"), L"\\");
    EXPECT_EQ(AddBackslash(L"C:"), L"C:\\");
    EXPECT_EQ(AddBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(AddBackslash(L"C:\\\\\\"), L"C:\\");
    EXPECT_EQ(AddBackslash(L"\\\\server\\share"), L"\\\\server\\share\\");
}

TEST(LinkCaptionIndex, HalvesGoToTheEvenIndexSoTheEndsAreHalfAsLikely) {
    EXPECT_EQ(LinkCaptionIndex(0.05), 0);  // 0.5
    EXPECT_EQ(LinkCaptionIndex(0.15), 2);  // 1.5
    EXPECT_EQ(LinkCaptionIndex(0.25), 2);  // 2.5
    EXPECT_EQ(LinkCaptionIndex(0.951), 10);
    EXPECT_EQ(LinkCaptionIndex(-1.0), 0);
    EXPECT_EQ(LinkCaptionIndex(1.0), 10);
    // Over many draws from timer-like seeds that follow one another.
    constexpr int kDraws = 200000;
    std::array<int, 11> counts{};
    for (uint64_t seed = 0; seed < kDraws; ++seed) {
        const double r = FirstDrawFromSeed(seed * 977u + 12345u);
        ASSERT_TRUE(r >= 0.0 && r < 1.0);
        ++counts[static_cast<size_t>(LinkCaptionIndex(r))];
    }
    const double inner = kDraws / 10.0;
    for (size_t i = 0; i < counts.size(); ++i)
        EXPECT_NEAR(counts[i], i == 0 || i == 10 ? inner / 2 : inner, inner * 0.05) << i;
}

TEST(PixelRuns, RunsEndAtTheWidthAndIgnoreTheUnusedByte) {
    constexpr uint32_t K = 0x00FF00FF, I = 0x00112233, X = 0x00ABCDEF;  // X: row padding
    const std::vector<uint32_t> picture = {
        K, K, K, X,           // all transparent: nothing
        I, K, I, X,           // the last run reaches the right edge
        0xFFFF00FF, I, I, X,  // a stray top byte leaves a pixel's colour alone
        I, I, I, X,           // no transparent pixel: one run as wide as the picture
    };
    EXPECT_EQ(OpaqueRuns(picture, 3, 4, 4, 0x00FF00FF),
              (std::vector<PixelRun>{{0, 1, 1}, {2, 3, 1}, {1, 3, 2}, {0, 3, 3}}));
    // The platform's 0x00BBGGRR against the DIB's 0x00RRGGBB; a colour with top
    // bits (a system colour) matches no pixel.
    EXPECT_EQ(OpaqueRuns(std::vector<uint32_t>{0x00FF0000, 0x000000FF}, 2, 1, 2, 0x000000FF),
              (std::vector<PixelRun>{{1, 2, 0}}));
    EXPECT_EQ(OpaqueRuns(std::vector<uint32_t>{K, K}, 2, 1, 2, 0x80FF00FF), (std::vector<PixelRun>{{0, 2, 0}}));
    // A buffer shorter than the picture gives the rows it holds, never a read past it.
    EXPECT_EQ(OpaqueRuns(std::span(picture).first(7), 3, 4, 4, 0x00FF00FF),
              (std::vector<PixelRun>{{0, 1, 1}, {2, 3, 1}}));
}

}  // namespace
}  // namespace forms
