#include <gtest/gtest.h>

#include <utility>

#include "app/Settings.h"

namespace app {
namespace {

TEST(ChooseSetting, TheMachinesPolicyThenTheUsersThenThePersonsOwnAndOutOfRangeIsNone) {
    auto pick = [](PolicyValues p) {
        const ChosenSetting c = ChooseSetting(p, 60, 1, 2147483647);
        return std::pair{c.value, c.byPolicy};
    };
    EXPECT_EQ(pick({}), std::pair(60, false));
    EXPECT_EQ(pick({1u, 5u}), std::pair(1, true));
    EXPECT_EQ(pick({std::nullopt, 5u}), std::pair(5, true));
    EXPECT_EQ(pick({0u, 5u}), std::pair(5, true));
    EXPECT_EQ(pick({0x80000000u, 0xFFFFFFFFu}), std::pair(60, false));
    EXPECT_EQ(pick({2147483647u, std::nullopt}), std::pair(2147483647, true));
    EXPECT_EQ(ChooseSetting({0u, std::nullopt}, 30, 0, 2147483647).byPolicy, true);
    // Limits below zero are numbers, not huge DWORDs.
    EXPECT_EQ(ChooseSetting({5u, std::nullopt}, 30, -10, 10).value, 5);
    EXPECT_EQ(ChooseSetting({0xFFFFFFFFu, std::nullopt}, 30, -5, -1).byPolicy, false);
}

}  // namespace
}  // namespace app
