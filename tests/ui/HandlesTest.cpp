// The RAII owners: each releases exactly once, moves hand ownership over, and a
// reference assigned to itself survives.
#include <gtest/gtest.h>

#include "support/WinTest.h"
#include "base/Handles.h"
#include "ui/Picture.h"
#include "ui/WindowRegion.h"

namespace {

int liveGdiObjects() { return wintest::GdiObjectCount(); }

TEST(UniqueHandle, ReleasesOnceAndMovesOwnership) {
    const int before = liveGdiObjects();
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
        EXPECT_EQ(liveGdiObjects(), before + 2);
        c = std::move(b);  // c's old region is deleted here
        HRGN kept = c.release();
        EXPECT_FALSE(c);
        DeleteObject(kept);
    }
    EXPECT_EQ(liveGdiObjects(), before);
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
    const int before = liveGdiObjects();
    EXPECT_EQ(ui::GiveToWindow(nullptr, base::UniqueRegion(CreateRectRgn(0, 0, 5, 5)), false), nullptr);
    EXPECT_EQ(liveGdiObjects(), before);
}

TEST(SelectedObject, PutsThePreviousObjectBack) {
    base::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    base::UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        base::SelectedObject sel(dc.get(), brush.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), original);
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

TEST(Picture, TellsAbsentFromEmptyFromIconAndBitmap) {
    EXPECT_FALSE(ui::Picture().IsPresent());
    ui::Picture empty = ui::Picture::Empty();
    EXPECT_TRUE(empty.IsPresent());
    EXPECT_EQ(empty.Type(), PICTYPE_NONE);
    EXPECT_EQ(empty.Handle(), nullptr);
    ui::Picture bitmap = ui::Picture::FromBitmap(CreateBitmap(5, 3, 1, 32, nullptr));
    EXPECT_EQ(bitmap.Type(), PICTYPE_BITMAP);
    EXPECT_EQ(bitmap.Pixels().cx, 5);
    EXPECT_EQ(bitmap.Pixels().cy, 3);
    ui::Picture copy = bitmap;
    EXPECT_TRUE(copy == bitmap);
}

}  // namespace
