// A region handed to a window belongs to the window once it takes it (the splash
// and button tests read it back); one the window refuses is deleted, not leaked.
#include <gtest/gtest.h>

#include "support/WinTest.h"
#include "base/Handles.h"
#include "ui/WindowRegion.h"

namespace {

TEST(WindowRegion, ARegionTheWindowRefusesIsDeleted) {
    const int before = wintest::GdiObjectCount();
    EXPECT_EQ(ui::GiveToWindow(nullptr, base::UniqueRegion(CreateRectRgn(0, 0, 5, 5)), false), nullptr);
    EXPECT_EQ(wintest::GdiObjectCount(), before);
}

}  // namespace
