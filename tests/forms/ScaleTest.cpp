// The About box and the splash at the screen's scale (the world's dots per inch:
// 96, 120, 144, 192), and the About box in high contrast.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "forms/LabelFit.h"
#include "forms/frmAbout.h"
#include "forms/frmSplash.h"
#include "resource.h"
#include "support/WinTest.h"
#include "base/OleApartment.h"
#include "base/Text.h"
#include "ui/HighContrast.h"
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
        wintest::Measured(name + ": caption's gap to the mark",
                          static_cast<unsigned long>(std::max(0, mark.left - text.right)), "px");
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

// The contrast ratio of two colours as the accessibility guidelines define it.
double contrast(COLORREF a, COLORREF b) {
    auto luminance = [](COLORREF c) {
        auto channel = [](int v) {
            const double x = v / 255.0;
            return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The two most frequent colours of a window as a person sees it: face and ink.
std::pair<COLORREF, COLORREF> faceAndInk(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    std::map<COLORREF, int> seen;
    for (COLORREF c : wintest::ScreenPixels(r).colours) ++seen[c];
    std::pair<COLORREF, int> first{0, 0}, second{0, 0};
    for (const auto& [c, n] : seen)
        if (n > first.second)
            second = first, first = {c, n};
        else if (n > second.second)
            second = {c, n};
    return {first.first, second.first};
}

TEST(HighContrast, AboutBoxTakesTheSystemsColoursReadablyAndFollowsTheSetting) {
    // High Contrast Black, as Windows sets it.
    const int which[] = {COLOR_WINDOW,       COLOR_WINDOWTEXT, COLOR_BTNFACE,    COLOR_BTNTEXT, COLOR_HOTLIGHT,
                         COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,  COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    const COLORREF black[] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
                              RGB(255, 255, 255), RGB(255, 255, 0),   RGB(255, 255, 255),
                              RGB(128, 128, 128), RGB(255, 255, 255), RGB(192, 192, 192)};
    COLORREF saved[std::size(which)];
    for (size_t i = 0; i < std::size(which); ++i) saved[i] = GetSysColor(which[i]);
    base::OleApartment ole;
    forms::FrmAbout& about = forms::frmAbout();
    const auto pixel = [&](int x, int y) {
        RECT r{x, y, x + 1, y + 1};
        MapWindowPoints(about.hWnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return wintest::ScreenPixels(r).colours.at(0);
    };
    const auto shows = [&](HWND w, COLORREF c) {
        RECT r{};
        GetWindowRect(w, &r);
        return wintest::FindColour(wintest::ScreenPixels(r), c).count > 10;
    };
    ASSERT_TRUE(SetSysColors(static_cast<int>(std::size(which)), which, black));
    ui::OverrideHighContrast(true);
    about.Show();
    SetForegroundWindow(about.hWnd());
    wintest::Pump(400);
    EXPECT_EQ(pixel(4, 4), RGB(0, 0, 0));
    EXPECT_TRUE(shows(about.lblCaption.hWnd(), RGB(255, 255, 255)));
    EXPECT_TRUE(shows(about.lblWebLink.hWnd(), RGB(255, 255, 0)));
    for (const forms::AboutButton* b : {&about.bSysInfo, &about.bExit}) {
        const auto [face, ink] = faceAndInk(b->hWnd());
        EXPECT_EQ(face, RGB(0, 0, 0));
        EXPECT_GE(contrast(face, ink), 4.5) << base::ToAnsi((*b)->Caption());
        wintest::Measured("high contrast: " + base::ToAnsi((*b)->Caption()) + " caption to face, x100",
                          static_cast<unsigned long>(contrast(face, ink) * 100), "");
    }
    wintest::Screenshot("about-box-high-contrast.png");
    // Switched off: the box's own colours at once; on again with other system colours: those.
    ui::OverrideHighContrast(false);
    SendMessageA(about.hWnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    wintest::Pump(300);
    EXPECT_EQ(pixel(4, 4), forms::kAboutBackColor);
    ui::OverrideHighContrast(true);
    const COLORREF white[] = {RGB(255, 255, 255), RGB(0, 0, 0)};
    SetSysColors(2, which, white);  // tells every top-level window
    wintest::Pump(300);
    EXPECT_EQ(pixel(4, 4), RGB(255, 255, 255));
    EXPECT_TRUE(shows(about.lblCaption.hWnd(), RGB(0, 0, 0)));
    about.Unload();
    ui::OverrideHighContrast(std::nullopt);
    SetSysColors(static_cast<int>(std::size(which)), which, saved);
}

}  // namespace
