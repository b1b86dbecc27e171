// The RAII owners: each releases exactly once, moves hand ownership over, and a
// reference assigned to itself survives.
#include <gtest/gtest.h>

#include "support/WinTest.h"
#include "base/Handles.h"
#include "ui/Picture.h"
#include "ui/WindowRegion.h"

namespace {

TEST(UniqueHandle, ReleasesOnceAndMovesOwnership) {
    const int before = wintest::GdiObjectCount();
    {
        base::UniqueRegion a(CreateRectRgn(0, 0, 1, 1));
        ASSERT_TRUE(a);
        base::UniqueRegion b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_TRUE(b);
        b = std::move(b);  // self-move keeps the handle
        EXPECT_TRUE(b);
        EXPECT_EQ(GetObjectType(b.get()), static_cast<DWORD>(OBJ_REGION));
        base::UniqueRegion c(CreateRectRgn(0, 0, 2, 2));
        EXPECT_EQ(wintest::GdiObjectCount(), before + 2);
        c = std::move(b);  // c's old region is deleted here
        HRGN kept = c.release();
        EXPECT_FALSE(c);
        DeleteObject(kept);
    }
    EXPECT_EQ(wintest::GdiObjectCount(), before);
}

TEST(GiveToWindow, TheWindowTakesTheRegionAndARefusedOneIsDeleted) {
    base::UniqueWindow window(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    ASSERT_NE(ui::GiveToWindow(window.get(), base::UniqueRegion(CreateRectRgn(0, 0, 10, 20)), false), nullptr);
    base::UniqueRegion held(CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    EXPECT_EQ(GetWindowRgn(window.get(), held.get()), SIMPLEREGION);
    GetRgnBox(held.get(), &box);
    EXPECT_EQ(std::pair(box.right, box.bottom), std::pair(10L, 20L));
    const int before = wintest::GdiObjectCount();
    EXPECT_EQ(ui::GiveToWindow(nullptr, base::UniqueRegion(CreateRectRgn(0, 0, 5, 5)), false), nullptr);
    EXPECT_EQ(wintest::GdiObjectCount(), before);
}

TEST(ComPtr, CountsReferencesThroughCopiesMovesAndSelfAssignment) {
    ui::Picture p = ui::Picture::FromBitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    ASSERT_TRUE(p.IsPresent());
    base::ComPtr<IPicture> a = base::ComPtr<IPicture>::attach(p.get());
    a.get()->AddRef();  // attach took over a reference we had to give it
    base::ComPtr<IPicture>& alias = a;
    a = alias;  // must not drop the last reference and keep a dangling pointer
    ASSERT_TRUE(a);
    SHORT type = 0;
    EXPECT_EQ(a->get_Type(&type), S_OK);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    base::ComPtr<IPicture> b = std::move(a);
    EXPECT_FALSE(a);
    EXPECT_TRUE(b);
}

}  // namespace
