// The pixel-run scanner that shapes the splash screen and the skinned buttons,
// natively under the sanitizers (the regions made from it are checked under Wine).
#include <gtest/gtest.h>

#include <vector>

#include "ui/PixelRuns.h"

namespace ui {
namespace {

TEST(OpaqueRuns, RunsOfEachRowLeftToRightWithRowAndBufferEdgesKept) {
    // Pixels are 0x00RRGGBB, the colour 0x00BBGGRR: 0x00FFC0C0 is R C0, G C0, B FF.
    constexpr uint32_t key = 0x00FFC0C0, k = 0x00C0C0FF, a = 0x00112233, topByte = 0xFF000000u;
    const std::vector<uint32_t> px{k, a, a, k, a,           0xEE,  // the stride's sixth pixel is not read
                                   k, k, k, k, k | topByte, 0xEE,  // a row of key only
                                   a, a, a, a, a,           0xEE};
    const std::vector<PixelRun> all{{1, 3, 0}, {4, 5, 0}, {0, 5, 2}};
    EXPECT_EQ(OpaqueRuns(px, 5, 3, 6, key), all);
    // A buffer cut inside a row gives the whole rows before it, and nothing is read past it.
    EXPECT_EQ(OpaqueRuns(std::span(px).first(6 + 6 + 4), 5, 3, 6, key),
              std::vector<PixelRun>(all.begin(), all.end() - 1));
    EXPECT_TRUE(OpaqueRuns(px, 5, 3, 4, key).empty());  // a stride shorter than a row is refused
    EXPECT_TRUE(OpaqueRuns({}, 5, 3, 6, key).empty());
    // A colour with its top byte set matches no pixel: every row is one run.
    EXPECT_EQ(OpaqueRuns(px, 5, 3, 6, key | topByte).size(), 3u);
}

}  // namespace
}  // namespace ui
