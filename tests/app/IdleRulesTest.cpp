#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "app/IdleRules.h"

namespace app {
namespace {

short none(int) { return 0; }

TEST(IsIdleWith, TheCursorStandingStillAndNoKeyReportedIsIdle) {
    ActivityMemory last;  // both 0 at start: a cursor at 0,0 from the start is unmoved
    EXPECT_TRUE(IsIdleWith(last, 0, 0, {}, none));
    EXPECT_FALSE(IsIdleWith(last, 5, 0, {}, none));
    EXPECT_FALSE(IsIdleWith(last, 5, 7, {}, none));
    EXPECT_TRUE(IsIdleWith(last, 5, 7, {}, none));
    // Held now (top bit) and pressed since the last query (low bit) both count,
    // mouse buttons (1) and the last code (256) included.
    for (const auto& report : {std::pair{0x41, 0x8000}, {256, 1}, {1, 1}})
        EXPECT_FALSE(IsIdleWith(last, 5, 7, {}, [&](int c) { return static_cast<short>(c == report.first ? report.second : 0); }));
}

// Input that moves no pointer and holds no key (a wheel turn, a pen) still moves
// the system's last-input time. The first reading only sets the mark; a key that
// stops the asking early does not keep the new time from being remembered.
TEST(IsIdleWith, ALastInputTimeThatMovedSinceThePreviousTickIsActivity) {
    ActivityMemory last;
    EXPECT_TRUE(IsIdleWith(last, 0, 0, 1000u, none));
    EXPECT_TRUE(IsIdleWith(last, 0, 0, 1000u, none));
    EXPECT_FALSE(IsIdleWith(last, 0, 0, 1500u, none));
    EXPECT_TRUE(IsIdleWith(last, 0, 0, 1500u, none));
    EXPECT_TRUE(IsIdleWith(last, 0, 0, std::nullopt, none));  // unreadable: the other rules decide
    EXPECT_FALSE(IsIdleWith(last, 0, 0, 2000u, [](int c) { return static_cast<short>(c == 1 ? 1 : 0); }));
    EXPECT_TRUE(IsIdleWith(last, 0, 0, 2000u, none));
}

TEST(IsIdleWith, AsksCodesOneTo256InOrderUntilOneReportsAndStillRemembersTheCursor) {
    ActivityMemory last;
    std::vector<int> asked;
    auto recordUntil = [&](int stop) {
        return [&asked, stop](int code) {
            asked.push_back(code);
            return static_cast<short>(code == stop ? 0x8000 : 0);
        };
    };
    EXPECT_TRUE(IsIdleWith(last, 0, 0, {}, recordUntil(0)));
    ASSERT_EQ(asked.size(), 256u);
    EXPECT_EQ(asked.front(), 1);
    EXPECT_EQ(asked.back(), 256);
    asked.clear();
    EXPECT_FALSE(IsIdleWith(last, 3, 4, {}, recordUntil(16)));
    EXPECT_EQ(asked.back(), 16);
    EXPECT_EQ(last.x, 3);
}

TEST(IdleRules, TwelveTicksAMinuteAndACountThatNeverWraps) {
    EXPECT_FALSE(DelayExpired(11, 1));
    EXPECT_TRUE(DelayExpired(12, 1));
    EXPECT_TRUE(DelayExpired(120, 10));
    EXPECT_TRUE(DelayExpired(0, 0));  // a delay of 0 or less expires at once
    const int32_t top = std::numeric_limits<int32_t>::max();
    EXPECT_FALSE(DelayExpired(top, top));
    EXPECT_EQ(NextIdleTicks(top, true), top);
    EXPECT_EQ(NextIdleTicks(41, false), 0);
    EXPECT_EQ(PictureForTicks(0), TrayPicture::WatchingEven);
    EXPECT_EQ(PictureForTicks(1), TrayPicture::WatchingOdd);
}

}  // namespace
}  // namespace app
