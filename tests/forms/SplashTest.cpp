#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "RegionReference.h"
#include "forms/frmSplash.h"
#include "resource.h"
#include "support/Tollvane.h"

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(0x11, 0x22, 0x33);

HBITMAP splashBitmap() {
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Ours against the per-pixel rule: the same region, the same colour handed back.
void expectAsReference(HBITMAP bitmap, int32_t startColour, const std::string& what) {
    int32_t ours = startColour, reference = startColour;
    HRGN fast = forms::RegionFromBitmap(bitmap, ours);
    HRGN slow = formstest::RegionFromBitmapPerPixel(bitmap, reference);
    ASSERT_NE(fast, nullptr) << what;
    EXPECT_EQ(ours, reference) << what;
    EXPECT_TRUE(EqualRgn(fast, slow)) << what;
    DeleteObject(fast);
    DeleteObject(slow);
}

TEST(RegionFromBitmap, SameRegionAsThePerPixelRule) {
    HBITMAP splash = splashBitmap();
    expectAsReference(splash, 0, "the splash picture");
    DeleteObject(splash);
    struct Picture {
        const char* name;
        int width, height;
        std::function<COLORREF(int, int)> colour;
    };
    const std::vector<Picture> pictures = {
        {"all transparent", 17, 9, [](int, int) { return kKey; }},
        {"a row with no transparent pixel", 13, 5, [](int, int y) { return y == 2 ? kInk : kKey; }},
        {"runs reaching the right edge", 11, 6, [](int x, int y) { return x >= 10 - y ? kInk : kKey; }},
        {"inner pixels of the corner colour", 20, 12,
         [](int x, int y) { return x == 0 || (x > 8 && x < 12 && y > 3 && y < 8) ? kKey : kInk; }},
        {"more runs than one region call takes", 160, 60, [](int x, int y) { return (x + y) % 2 ? kInk : kKey; }},
    };
    for (const Picture& p : pictures)
        for (const bool ddb : {false, true}) {
            HBITMAP bitmap = formstest::MakeBitmap(p.width, p.height, p.colour, ddb);
            expectAsReference(bitmap, 0, std::string(p.name) + (ddb ? ", screen bitmap" : ""));
            // Any colour below 1 means the corner's; another is taken as given.
            expectAsReference(bitmap, -7, p.name);
            expectAsReference(bitmap, static_cast<int32_t>(kInk), p.name);
            DeleteObject(bitmap);
        }
}

TEST(Splash, ShapedTopmostCentredAndGoneAfterTwoSeconds) {
    const ULONGLONG shownAt = GetTickCount64();
    forms::ShowSplash();
    HWND splash = forms::frmSplash().hWnd();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(GetWindowLongPtrA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrA(splash, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    RECT frame{};
    GetWindowRect(splash, &frame);
    EXPECT_EQ(frame.right - frame.left, 266);
    EXPECT_EQ(frame.bottom - frame.top, 143);
    EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);

    HBITMAP bitmap = splashBitmap();
    int32_t corner = 0;
    HRGN reference = formstest::RegionFromBitmapPerPixel(bitmap, corner);
    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(splash, applied), ERROR);
    EXPECT_TRUE(EqualRgn(applied, reference));

    // What a person sees: the picture inside the shape, never the cut-away colour.
    wintest::Pump(300);
    const std::vector<COLORREF> seen = wintest::ScreenPixels(frame);
    formstest::ScreenshotNow("splash.png");
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    int wrong = 0;
    for (int y = 0; y < 143; ++y)
        for (int x = 0; x < 266; ++x) {
            const COLORREF want = GetPixel(dc, x, y), got = seen[static_cast<size_t>(y * 266 + x)];
            wrong += want == kKey ? got == kKey : got != want;
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(applied);
    DeleteObject(reference);
    DeleteObject(bitmap);
    EXPECT_EQ(wrong, 0);

    ASSERT_TRUE(wintest::WaitUntil([&] { return !IsWindow(splash); }, 5000));
    EXPECT_NEAR(static_cast<double>(GetTickCount64() - shownAt), 2000.0, 700.0);
}

}  // namespace
