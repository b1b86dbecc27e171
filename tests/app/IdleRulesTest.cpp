#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "app/IdleRules.h"

namespace app {
namespace {

TEST(IsIdleWith, CursorMovesAndKeysAreActivity) {
    CursorMemory last;  // both 0 at start
    auto quiet = [](int) { return static_cast<short>(0); };
    // A cursor that has stood at 0,0 from the start is unmoved at the first call.
    EXPECT_TRUE(IsIdleWith(last, 0, 0, quiet));
    EXPECT_FALSE(IsIdleWith(last, 5, 0, quiet));
    EXPECT_FALSE(IsIdleWith(last, 5, 7, quiet));
    EXPECT_EQ(last.x, 5);
    EXPECT_EQ(last.y, 7);
    EXPECT_TRUE(IsIdleWith(last, 5, 7, quiet));
    // Held now (top bit) and pressed since the last query (low bit) both count.
    EXPECT_FALSE(IsIdleWith(last, 5, 7, [](int code) { return static_cast<short>(code == 0x41 ? 0x8000 : 0); }));
    EXPECT_FALSE(IsIdleWith(last, 5, 7, [](int code) { return static_cast<short>(code == 256 ? 1 : 0); }));
    EXPECT_FALSE(IsIdleWith(last, 5, 7, [](int code) { return static_cast<short>(code == 1 ? 1 : 0); }));
}

TEST(IsIdleWith, AsksCodesOneTo256InOrderAndStopsAtTheFirstReport) {
    CursorMemory last;
    std::vector<int> asked;
    EXPECT_TRUE(IsIdleWith(last, 0, 0, [&](int code) {
        asked.push_back(code);
        return static_cast<short>(0);
    }));
    ASSERT_EQ(asked.size(), 256u);
    EXPECT_EQ(asked.front(), 1);
    EXPECT_EQ(asked.back(), 256);

    asked.clear();
    // A moved cursor still has its position remembered, and the keys are still asked.
    EXPECT_FALSE(IsIdleWith(last, 3, 4, [&](int code) {
        asked.push_back(code);
        return static_cast<short>(code == 16 ? 0x8000 : 0);
    }));
    EXPECT_EQ(asked.back(), 16);
    EXPECT_EQ(last.x, 3);
}

TEST(IdleTicks, CountGrowsWhileIdleAndResetsOnActivityWithoutWrapping) {
    EXPECT_EQ(NextIdleTicks(0, true), 1);
    EXPECT_EQ(NextIdleTicks(41, false), 0);
    const int32_t top = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(NextIdleTicks(top, true), top);
}

TEST(DelayExpired, TwelveTicksAMinuteComparedInFloatingPoint) {
    EXPECT_FALSE(DelayExpired(11, 1));
    EXPECT_TRUE(DelayExpired(12, 1));
    EXPECT_FALSE(DelayExpired(119, 10));
    EXPECT_TRUE(DelayExpired(120, 10));
    // A delay of 0 or less expires at once, whatever the count.
    EXPECT_TRUE(DelayExpired(0, 0));
    EXPECT_TRUE(DelayExpired(0, -3));
    // The largest delay never expires within the count's range.
    EXPECT_FALSE(DelayExpired(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()));
}

TEST(PictureForTicks, EvenCountsIncludingZeroShowTheEvenPicture) {
    EXPECT_EQ(PictureForTicks(0), WatchingPicture::Even);
    EXPECT_EQ(PictureForTicks(1), WatchingPicture::Odd);
    EXPECT_EQ(PictureForTicks(2), WatchingPicture::Even);
}

}  // namespace
}  // namespace app
