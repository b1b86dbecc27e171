// The About box and the splash at the screen's scale (the world's dots per inch:
// 96, 120, 144, 192).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "forms/LabelFit.h"
#include "forms/frmAbout.h"
#include "forms/frmSplash.h"
#include "resource.h"
#include "support/WinTest.h"
#include "base/OleApartment.h"
#include "base/Text.h"
#include "ui/Units.h"

namespace {

constexpr SIZE kSkin{55, 31};

int scaled(int pixels) { return MulDiv(pixels, ui::ScreenDpi().y, 96); }
std::string dpiName() { return std::to_string(ui::ScreenDpi().y) + "dpi"; }

wintest::Pixels surfacePixels(const buttonex::ButtonEx& b) {
    GdiFlush();
    return wintest::DibPixels(b.Surface().Bits(), b.Surface().Width(), b.Surface().Height());
}

TEST(Scale, AboutButtonsGrowWithTheirCaptionInsideAndLabelsKeepTheirText) {
    base::OleApartment ole;
    forms::FrmAbout& about = forms::frmAbout();
    about.Show();
    ASSERT_TRUE(about.IsLoaded());
    const struct {
        const forms::AboutButton& button;
        COLORREF accent;  // the skin's mark at its right end
    } buttons[] = {{about.bSysInfo, RGB(0x22, 0x66, 0x22)}, {about.bExit, RGB(0xAA, 0x22, 0x22)}};
    for (const auto& [button, accent] : buttons) {
        const std::string name = base::ToAnsi(button->Caption()) + " at " + dpiName();
        RECT r{}, shape{};
        GetWindowRect(button.hWnd(), &r);
        EXPECT_NEAR(r.right - r.left, scaled(kSkin.cx), 1) << name;
        EXPECT_NEAR(r.bottom - r.top, scaled(kSkin.cy), 1) << name;
        ASSERT_NE(GetWindowRgnBox(button.hWnd(), &shape), ERROR) << name;  // the shape: the scaled skin's
        EXPECT_NEAR(shape.right - shape.left, scaled(kSkin.cx - 2), 2) << name;
        EXPECT_NEAR(shape.bottom - shape.top, scaled(kSkin.cy - 2), 2) << name;
        // The caption (the button text's black) inside the rim and left of the mark.
        const wintest::Pixels face = surfacePixels(*button.get());
        const wintest::Box text = wintest::FindColour(face, GetSysColor(COLOR_BTNTEXT));
        const wintest::Box mark = wintest::FindColour(face, accent);
        ASSERT_GT(text.count, 20) << name;
        ASSERT_GT(mark.count, 3) << name;
        EXPECT_GE(text.left, 2) << name;
        EXPECT_GE(text.top, 2) << name;
        EXPECT_LT(text.bottom, face.height - 2) << name;
        EXPECT_LT(text.right, mark.left - 1) << name << ": the caption runs into the mark";
        wintest::Measured(name + ": caption's gap to the mark", static_cast<unsigned long>(mark.left - text.right),
                          "px");
    }
    for (const forms::Label* label :
         {&about.lblCaption, &about.lblVersion, &about.lblDescription, &about.lblDisclaimer, &about.lblWebLink}) {
        RECT client{};
        GetClientRect(label->hWnd(), &client);
        EXPECT_LE(forms::TextHeightFor(*label), client.bottom) << wintest::WindowText(label->hWnd()) << " is cut";
    }
    SetForegroundWindow(about.hWnd());
    wintest::Pump(300);
    wintest::Screenshot("about-box-" + dpiName() + ".png");
    about.Unload();
}

TEST(Scale, SplashPictureAndShapeScaledAndCentred) {
    const HBITMAP original = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    RECT unscaled{};
    {
        const base::UniqueRegion r(forms::RegionFromBitmap(original));
        GetRgnBox(r.get(), &unscaled);
    }
    BITMAP info{};
    GetObjectA(original, sizeof info, &info);
    DeleteObject(original);
    forms::ShowSplash();
    const HWND splash = forms::frmSplash().hWnd();
    ASSERT_NE(splash, nullptr);
    RECT client{}, shape{};
    GetClientRect(splash, &client);
    ASSERT_NE(GetWindowRgnBox(splash, &shape), ERROR);
    // Where the unscaled shape's box lands once the picture is scaled and centred.
    const double s = ui::ScreenDpi().y / 96.0;
    const double dx = (client.right - info.bmWidth * s) / 2, dy = (client.bottom - info.bmHeight * s) / 2;
    EXPECT_NEAR(shape.left, unscaled.left * s + dx, 2) << dpiName();
    EXPECT_NEAR(shape.top, unscaled.top * s + dy, 2) << dpiName();
    EXPECT_NEAR(shape.right, unscaled.right * s + dx, 2) << dpiName();
    EXPECT_NEAR(shape.bottom, unscaled.bottom * s + dy, 2) << dpiName();
    wintest::Measured("splash shape's left offset from centred at " + dpiName(),
                      static_cast<unsigned long>(std::lround(std::abs(shape.left - (unscaled.left * s + dx)))), "px");
    wintest::Pump(200);
    wintest::Screenshot("splash-" + dpiName() + ".png");
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindow(splash); }, 10000));
}

}  // namespace
