// The RAII owners: each releases exactly once, moves hand ownership over, and a
// reference assigned to itself survives.
#include <gtest/gtest.h>

#include "support/WinTest.h"
#include "base/Handles.h"
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
        EXPECT_EQ(GetObjectType(b.get()), static_cast<DWORD>(OBJ_REGION));
        base::UniqueRegion c(CreateRectRgn(0, 0, 2, 2));
        EXPECT_EQ(wintest::GdiObjectCount(), before + 2);
        c = std::move(b);  // c's old region is deleted here
        HRGN kept = c.release();
        EXPECT_FALSE(c);
        DeleteObject(kept);
    }
    // A region the window took belongs to it (the splash and button tests read it
    // back); one the window refused is deleted.
    EXPECT_EQ(ui::GiveToWindow(nullptr, base::UniqueRegion(CreateRectRgn(0, 0, 5, 5)), false), nullptr);
    EXPECT_EQ(wintest::GdiObjectCount(), before);
}

// An object that counts its references; at 0 it is dead (and stays in memory to be asked).
struct Counted : IUnknown {
    ULONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(ComPtr, CountsReferencesThroughCopiesMovesAndSelfAssignment) {
    Counted object;
    {
        auto a = base::ComPtr<Counted>::attach(&object);  // takes over the first reference
        base::ComPtr<Counted>& alias = a;
        a = alias;  // neither drops the only reference (and keeps a dead pointer) nor adds one
        EXPECT_EQ(object.refs, 1u);
        base::ComPtr<Counted> b = a;
        EXPECT_EQ(object.refs, 2u);
        base::ComPtr<Counted> c = std::move(b);
        EXPECT_FALSE(b);
        EXPECT_EQ(object.refs, 2u);
    }
    EXPECT_EQ(object.refs, 0u);
}

}  // namespace
