#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "RegionReference.h"
#include "forms/frmSplash.h"
#include "resource.h"
#include "support/Tollvane.h"
#include "support/WinTest.h"

namespace {

using formstest::MakeBitmap;
using formstest::RegionFromBitmapPerPixel;

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(0x11, 0x22, 0x33);

struct Owned {
    HGDIOBJ h;
    explicit Owned(HGDIOBJ handle) : h(handle) {}
    ~Owned() {
        if (h) DeleteObject(h);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    HRGN rgn() const { return static_cast<HRGN>(h); }
    HBITMAP bmp() const { return static_cast<HBITMAP>(h); }
};

HBITMAP loadSplashBitmap() {
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

bool regionContains(HRGN rgn, int x, int y) { return PtInRegion(rgn, x, y) != FALSE; }

// Ours against the reference for one picture and one starting colour.
void expectSameAsReference(HBITMAP bitmap, int32_t startColour, const std::string& what) {
    int32_t oursColour = startColour;
    int32_t referenceColour = startColour;
    Owned ours(forms::RegionFromBitmap(bitmap, oursColour));
    Owned reference(RegionFromBitmapPerPixel(bitmap, referenceColour));
    ASSERT_NE(ours.h, nullptr) << what;
    EXPECT_EQ(oursColour, referenceColour) << what;
    EXPECT_TRUE(EqualRgn(ours.rgn(), reference.rgn())) << what;
}

struct Crafted {
    const char* name;
    int width, height;
    std::function<COLORREF(int, int)> colour;
};

TEST(RegionFromBitmap, MatchesThePerPixelRuleOnCraftedPictures) {
    const std::vector<Crafted> pictures = {
        {"all transparent", 17, 9, [](int, int) { return kKey; }},
        {"a row with no transparent pixel", 13, 5, [](int x, int y) { return y == 2 || (x == 4 && y == 3) ? kInk : kKey; }},
        {"runs reaching the right edge", 11, 6, [](int x, int y) { return x >= 10 - y ? kInk : kKey; }},
        {"inner pixels of the corner colour", 20, 12,
         [](int x, int y) {
             const bool frame = x == 0 || y == 0;
             const bool hole = x >= 8 && x < 12 && y >= 4 && y < 8;
             return frame || hole ? kKey : kInk;
         }},
        {"opaque corner: the ink itself is cut", 9, 9, [](int x, int y) { return (x + y) % 3 ? kKey : kInk; }},
        {"more runs than one region call takes", 160, 60, [](int x, int y) { return (x + y) % 2 ? kInk : kKey; }},
        {"single pixel", 1, 1, [](int, int) { return kInk; }},
    };
    for (const Crafted& p : pictures) {
        for (const bool ddb : {false, true}) {
            Owned bitmap(MakeBitmap(p.width, p.height, p.colour, ddb));
            ASSERT_NE(bitmap.h, nullptr) << p.name;
            expectSameAsReference(bitmap.bmp(), 0, std::string(p.name) + (ddb ? " (DDB)" : " (DIB)"));
        }
    }
}

TEST(RegionFromBitmap, TransparentColourBelowOneMeansTheCornerAndIsHandedBack) {
    // Corner ink, key colour elsewhere in places.
    Owned bitmap(MakeBitmap(8, 4, [](int x, int y) { return x == y ? kKey : kInk; }, false));
    for (const int32_t start : {0, -1, -2147483647 - 1, static_cast<int32_t>(0x8000000F)}) {
        int32_t colour = start;
        Owned rgn(forms::RegionFromBitmap(bitmap.bmp(), colour));
        EXPECT_EQ(colour, static_cast<int32_t>(kKey)) << start;
        expectSameAsReference(bitmap.bmp(), start, "start " + std::to_string(start));
        EXPECT_FALSE(regionContains(rgn.rgn(), 0, 0));
        EXPECT_TRUE(regionContains(rgn.rgn(), 1, 0));
    }
    // An explicit colour is kept and used, corner or not.
    int32_t explicitInk = static_cast<int32_t>(kInk);
    Owned cut(forms::RegionFromBitmap(bitmap.bmp(), explicitInk));
    EXPECT_EQ(explicitInk, static_cast<int32_t>(kInk));
    EXPECT_TRUE(regionContains(cut.rgn(), 0, 0));
    EXPECT_FALSE(regionContains(cut.rgn(), 1, 0));
    expectSameAsReference(bitmap.bmp(), static_cast<int32_t>(kInk), "explicit colour");
}

TEST(RegionFromBitmap, SplashPictureMatchesThePerPixelRule) {
    Owned bitmap(loadSplashBitmap());
    ASSERT_NE(bitmap.h, nullptr);
    expectSameAsReference(bitmap.bmp(), 0, "splash");
    Owned rgn(forms::RegionFromBitmap(bitmap.bmp()));
    RECT box{};
    ASSERT_EQ(GetRgnBox(rgn.rgn(), &box), COMPLEXREGION);
    // No rectangle reaches beyond the picture.
    EXPECT_GE(box.left, 0);
    EXPECT_GE(box.top, 0);
    EXPECT_LE(box.right, 266);
    EXPECT_LE(box.bottom, 144);
    EXPECT_FALSE(regionContains(rgn.rgn(), 0, 0));
    EXPECT_TRUE(regionContains(rgn.rgn(), 133, 72));
}

TEST(RegionFromBitmap, NoPictureGivesNoRegion) {
    int32_t colour = 0;
    EXPECT_EQ(forms::RegionFromBitmap(nullptr, colour), nullptr);
    EXPECT_EQ(colour, 0);
}

TEST(Splash, ShapedTopmostCentredAndGoneAfterTwoSeconds) {
    const ULONGLONG shownAt = GetTickCount64();
    forms::ShowSplash();
    HWND splash = forms::frmSplash().hWnd();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(IsWindowVisible(splash));
    const LONG_PTR exStyle = GetWindowLongPtrA(splash, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);  // no taskbar button
    EXPECT_FALSE(GetWindowLongPtrA(splash, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));

    RECT frame{};
    GetWindowRect(splash, &frame);
    EXPECT_EQ(frame.right - frame.left, 266);
    EXPECT_EQ(frame.bottom - frame.top, 143);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    Owned applied(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(splash, applied.rgn()), ERROR);
    Owned bitmap(loadSplashBitmap());
    int32_t colour = 0;
    Owned reference(RegionFromBitmapPerPixel(bitmap.bmp(), colour));
    EXPECT_TRUE(EqualRgn(applied.rgn(), reference.rgn()));

    // What a person sees: the picture inside the shape, the desktop where the
    // corner colour was cut away.
    wintest::Pump(300);
    formstest::ScreenshotNow("splash.png");
    const std::vector<COLORREF> seen = wintest::ScreenPixels(frame);
    ASSERT_EQ(seen.size(), static_cast<size_t>(266 * 143));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap.h);
    int inside = 0, insideSame = 0, cut = 0, cutShowsKey = 0;
    for (int y = 0; y < 143; y += 3)
        for (int x = 0; x < 266; x += 3) {
            const COLORREF want = GetPixel(dc, x, y);
            const COLORREF got = seen[static_cast<size_t>(y * 266 + x)];
            if (want == kKey) {
                ++cut;
                cutShowsKey += got == kKey;
            } else {
                ++inside;
                insideSame += got == want;
            }
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_GT(cut, 100);
    EXPECT_EQ(cutShowsKey, 0);
    EXPECT_EQ(insideSame, inside);

    ASSERT_TRUE(wintest::WaitUntil([&] { return !IsWindow(splash); }, 5000));
    const ULONGLONG shownFor = GetTickCount64() - shownAt;
    EXPECT_GE(shownFor, 1900u);
    EXPECT_LE(shownFor, 3500u);
    EXPECT_FALSE(forms::frmSplash().IsLoaded());
}

}  // namespace
