#include <gtest/gtest.h>

#include <limits>

#include "app/IdleRules.h"

namespace app {
namespace {

short none(int) { return 0; }

TEST(IsIdleWith, NoCursorMoveNoKeyAndNoNewLastInputTimeIsIdle) {
    ActivityMemory last;  // both 0 at start: a cursor at 0,0 from the start is unmoved
    EXPECT_TRUE(IsIdleWith(last, 0, 0, {}, none));
    EXPECT_FALSE(IsIdleWith(last, 5, 0, {}, none));
    EXPECT_FALSE(IsIdleWith(last, 5, 7, {}, none));
    EXPECT_TRUE(IsIdleWith(last, 5, 7, {}, none));
    // Held now (top bit) and pressed since the last query (low bit) both count,
    // mouse buttons (1) and the last code (256) included.
    for (const auto& report : {std::pair{0x41, 0x8000}, {256, 1}, {1, 1}})
        EXPECT_FALSE(IsIdleWith(last, 5, 7, {},
                                [&](int c) { return static_cast<short>(c == report.first ? report.second : 0); }));
    // A key that stops the asking early does not keep the cursor from being remembered.
    EXPECT_FALSE(IsIdleWith(last, 3, 4, {}, [](int c) { return static_cast<short>(c == 16 ? 0x8000 : 0); }));
    EXPECT_TRUE(IsIdleWith(last, 3, 4, {}, none));
    // Input that moves no pointer and holds no key (a wheel turn, a pen) still moves
    // the system's last-input time. The first reading only sets the mark; a key that
    // stops the asking early does not keep the new time from being remembered.
    last = {};
    EXPECT_TRUE(IsIdleWith(last, 0, 0, 1000u, none));
    EXPECT_TRUE(IsIdleWith(last, 0, 0, 1000u, none));
    EXPECT_FALSE(IsIdleWith(last, 0, 0, 1500u, none));
    EXPECT_TRUE(IsIdleWith(last, 0, 0, 1500u, none));
    EXPECT_TRUE(IsIdleWith(last, 0, 0, std::nullopt, none));  // unreadable: the other rules decide
    EXPECT_FALSE(IsIdleWith(last, 0, 0, 2000u, [](int c) { return static_cast<short>(c == 1 ? 1 : 0); }));
    EXPECT_TRUE(IsIdleWith(last, 0, 0, 2000u, none));
}

TEST(IdleRules, NoDelayExpiresAtOnceAndTheCountNeverWraps) {
    EXPECT_TRUE(DelayExpired(0, 0) && DelayExpired(0, -5));  // a delay of 0 or less expires at once
    const int32_t top = std::numeric_limits<int32_t>::max();
    EXPECT_FALSE(DelayExpired(top, top));
    EXPECT_EQ(AddTicks(top, 1), top);
    EXPECT_EQ(AddTicks(top - 20, 41), top);
    EXPECT_EQ(AddTicks(41, 1), 42);
}

TEST(IdleRules, TimeOnTheClockInWholeTicks) {
    const int64_t cases[][2] = {
        {-5000, 0}, {0, 0}, {4999, 0}, {5000, 1}, {9999, 1}, {60'000, 12}, {int64_t{1} << 50, 2147483647},
    };
    for (const auto& c : cases) EXPECT_EQ(WholeTicks(c[0]), c[1]) << c[0] << " ms";
}

// XP's only clock that counts sleep is 32 bits of milliseconds: 49.7 days.
TEST(UnwrappedTicks, GoesOnPastTheWrapOfTheSystemsCount) {
    UnwrappedTicks unwrapped;
    EXPECT_EQ(unwrapped(0xFFFFF830u), 0xFFFFF830);
    EXPECT_EQ(unwrapped(0x00000BB8u) - 0xFFFFF830, 5000);
    EXPECT_EQ(unwrapped(0x00000BB9u), 0x100000BB9);
    EXPECT_EQ(unwrapped(0x00000001u), 0x200000001);
}

TEST(WarningDue, ComesWithinTheWarningBeforeTheLogoffAndNeverWithoutAnIdleCount) {
    const int32_t top = std::numeric_limits<int32_t>::max(), none = -1;
    const int32_t cases[][4] = {
        // idle ticks, delay minutes, warning seconds: seconds left, or none
        {5, 1, 30, none},
        {6, 1, 30, 30},
        {11, 1, 30, 5},
        {12, 1, 30, none},  // the logoff itself
        {11, 1, 0, none},
        {0, 1, 30, none},
        {1, 0, 30, none},  // switched off; no count; no delay
        {8, 1, 12, none},
        {9, 1, 12, 15},  // 12 s is not on a tick: from the tick before
        {1, 1, 90, 55},
        {1, 1, 60, 55},  // as long as the delay or longer: at the first idle tick
        {234, 20, 30, 30},
        {top, top, top, none},
        {2147483634, 178956970, 30, 30},  // 12 x 178956970 = 2147483640: no overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(WarningDue(c[0], c[1], c[2]).value_or(none), c[3]) << c[0] << " " << c[1] << " " << c[2];
    // More seconds left than 32 bits hold: 12 x 35791395 - 10 ticks of 5 s.
    EXPECT_EQ(WarningDue(10, 35791395, 2147483647).value_or(none), 2147483650);
}

}  // namespace
}  // namespace app
