#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "forms/PixelRuns.h"
#include "forms/mGetRandomLabel.h"
#include "forms/mGlobalFunctions.h"

namespace forms {
namespace {

TEST(AddBackslash, EndsInExactlyOneBackslash) {
    EXPECT_EQ(AddBackslash(L""), L"\\");
    EXPECT_EQ(AddBackslash(L"\\"), L"\\");
    EXPECT_EQ(AddBackslash(L"\\\\\\"), L"\\");
    EXPECT_EQ(AddBackslash(L"C:"), L"C:\\");
    EXPECT_EQ(AddBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(AddBackslash(L"C:\\\\\\"), L"C:\\");
    EXPECT_EQ(AddBackslash(L"C:\\Program Files\\MSInfo\\\\"), L"C:\\Program Files\\MSInfo\\");
    // Only trailing backslashes go; inner ones and other characters stay.
    EXPECT_EQ(AddBackslash(L"\\\\server\\share/"), L"\\\\server\\share/\\");
}

TEST(TwipsToPixels, FifteenTwipsToThePixelAt96Dpi) {
    EXPECT_EQ(TwipsToPixels(6300, 96), 420);
    EXPECT_EQ(TwipsToPixels(3600, 96), 240);
    EXPECT_EQ(TwipsToPixels(2145, 96), 143);
    EXPECT_EQ(TwipsToPixels(825, 144), 83);  // 82.5 rounds up
    EXPECT_EQ(TwipsToPixels(6300, 120), 525);
    EXPECT_EQ(TwipsToPixels(-15, 96), -1);
}

TEST(LinkCaptionIndex, RoundsHalvesToTheEvenIndex) {
    EXPECT_EQ(LinkCaptionIndex(0.0), 0);
    EXPECT_EQ(LinkCaptionIndex(0.05), 0);   // 0.5 -> 0
    EXPECT_EQ(LinkCaptionIndex(0.15), 2);   // 1.5 -> 2
    EXPECT_EQ(LinkCaptionIndex(0.25), 2);   // 2.5 -> 2
    EXPECT_EQ(LinkCaptionIndex(0.951), 10);
    EXPECT_EQ(LinkCaptionIndex(0.449), 4);
    EXPECT_EQ(LinkCaptionIndex(0.451), 5);
    EXPECT_EQ(LinkCaptionIndex(0.99999999), 10);
    // Out of range draws stay within the list.
    EXPECT_EQ(LinkCaptionIndex(-1.0), 0);
    EXPECT_EQ(LinkCaptionIndex(1.0), 10);
    EXPECT_EQ(LinkCaptionIndex(5.0), 10);
}

TEST(LinkCaptionIndex, EndIndexesAreHalfAsLikelyOverSeededDraws) {
    // Seeds that follow one another, as timer readings do.
    constexpr int kDraws = 200000;
    std::array<int, 11> counts{};
    for (int seed = 0; seed < kDraws; ++seed) {
        const double r = FirstDrawFromSeed(static_cast<uint64_t>(seed) * 977u + 12345u);
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ++counts[static_cast<size_t>(LinkCaptionIndex(r))];
    }
    const double inner = kDraws / 10.0;
    for (int i = 1; i <= 9; ++i) EXPECT_NEAR(counts[static_cast<size_t>(i)], inner, inner * 0.05) << i;
    EXPECT_NEAR(counts[0], inner / 2, inner * 0.05);
    EXPECT_NEAR(counts[10], inner / 2, inner * 0.05);
}

TEST(LinkCaptions, ElevenWithTheTwoFixedInvitations) {
    ASSERT_EQ(kLinkCaptions.size(), 11u);
    EXPECT_EQ(kLinkCaptions[9], L"Click this link!");
    EXPECT_EQ(kLinkCaptions[10], L"visit Brackwyn Software");
    for (const auto caption : kLinkCaptions) EXPECT_FALSE(caption.empty());
}

// Pixels as a 32-bit DIB stores them: 0x00RRGGBB.
constexpr uint32_t kKeyPixel = 0x00FF00FF;      // magenta
constexpr uint32_t kKeyColorRef = 0x00FF00FF;   // magenta is its own mirror
constexpr uint32_t kInk = 0x00112233;

std::vector<PixelRun> rowRuns(const std::vector<uint32_t>& row, uint32_t key = kKeyColorRef) {
    std::vector<PixelRun> runs;
    AppendOpaqueRuns(row, 7, key, runs);
    return runs;
}

TEST(PixelRuns, RowsCutIntoRunsWithExclusiveRightEdges) {
    const uint32_t K = kKeyPixel, I = kInk;
    EXPECT_TRUE(rowRuns({K, K, K, K}).empty());
    EXPECT_EQ(rowRuns({I, I, I, I}), (std::vector<PixelRun>{{0, 4, 7}}));
    // A run that reaches the right edge ends at the width.
    EXPECT_EQ(rowRuns({K, I, K, I, I}), (std::vector<PixelRun>{{1, 2, 7}, {3, 5, 7}}));
    EXPECT_EQ(rowRuns({I, K, K, I, K}), (std::vector<PixelRun>{{0, 1, 7}, {3, 4, 7}}));
    EXPECT_TRUE(rowRuns({}).empty());
}

TEST(PixelRuns, ColoursCompareInThePlatformsOrderIgnoringTheUnusedByte) {
    // 0x00BBGGRR 0x000000FF (red) is the DIB pixel 0x00FF0000.
    EXPECT_EQ(ColorRefToDibPixel(0x000000FFu), 0x00FF0000u);
    EXPECT_EQ(ColorRefToDibPixel(0x00CCAAAAu), 0x00AAAACCu);
    EXPECT_EQ(rowRuns({0x00FF0000, 0x000000FF}, 0x000000FF), (std::vector<PixelRun>{{1, 2, 7}}));
    // Whatever a reader leaves in the top byte, the pixel keeps its colour.
    EXPECT_TRUE(rowRuns({0xFFFF00FF, 0x12FF00FF}).empty());
    // A colour with bits in the top byte (a system colour) matches no pixel.
    EXPECT_EQ(rowRuns({kKeyPixel, kKeyPixel}, 0x80FF00FF), (std::vector<PixelRun>{{0, 2, 7}}));
}

TEST(PixelRuns, WholePicturesRowByRowWithStride) {
    const uint32_t K = kKeyPixel, I = kInk, X = 0x00ABCDEF;  // X: padding never read as pixels
    const std::vector<uint32_t> picture = {
        K, K, K, X,  //
        I, K, I, X,  //
        K, K, K, X,  //
        I, I, I, X,
    };
    EXPECT_EQ(OpaqueRuns(picture, 3, 4, 4, kKeyColorRef),
              (std::vector<PixelRun>{{0, 1, 1}, {2, 3, 1}, {0, 3, 3}}));
    // A buffer shorter than the picture yields the rows it holds and no more.
    const std::vector<uint32_t> shortBuffer(picture.begin(), picture.begin() + 6);
    EXPECT_EQ(OpaqueRuns(shortBuffer, 3, 4, 4, kKeyColorRef), (std::vector<PixelRun>{}));
    const std::vector<uint32_t> twoRows(picture.begin(), picture.begin() + 7);
    EXPECT_EQ(OpaqueRuns(twoRows, 3, 4, 4, kKeyColorRef), (std::vector<PixelRun>{{0, 1, 1}, {2, 3, 1}}));
    EXPECT_TRUE(OpaqueRuns(picture, 0, 4, 4, kKeyColorRef).empty());
    EXPECT_TRUE(OpaqueRuns(picture, 5, 1, 4, kKeyColorRef).empty());  // stride narrower than a row
}

}  // namespace
}  // namespace forms
