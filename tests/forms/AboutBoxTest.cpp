// The About box and the splash end to end: tollvane.exe started as a person
// starts it, the About box opened through the real tray menu, and everything
// checked from outside, by window, text and pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "RegionReference.h"
#include "forms/frmAbout.h"
#include "forms/mGetRandomLabel.h"
#include "resource.h"
#include "support/Tollvane.h"
#include "support/WinTest.h"
#include "ui/Text.h"

namespace {

using wintest::Tollvane;

constexpr COLORREF kCross = RGB(255, 0, 0);  // the not-watching tray picture
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kText = RGB(0x11, 0x11, 0x33);
constexpr COLORREF kBack = RGB(0xAA, 0xAA, 0xCC);

// Client rectangles at 96 dots per inch.
constexpr RECT kCaptionRect{72, 8, 409, 41};
constexpr RECT kLinkRect{72, 208, 232, 224};
constexpr RECT kExitRect{352, 200, 407, 231};
constexpr RECT kSysInfoRect{352, 160, 407, 191};

std::string exeVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<unsigned char> data(size);
    if (!size || !GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return "<none>";
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info) return "<none>";
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info->dwFileVersionLS));
}

class AboutBoxE2E : public testing::Test {
protected:
    void SetUp() override {
        // The web link's scheme goes to a stand-in that logs the address it gets.
        folder_ = wintest::TempFolder("about");
        handler_ = folder_ + "\\browser.exe";
        ASSERT_TRUE(formstest::PlaceRecorder(handler_));
        browser_ = std::make_unique<formstest::SchemeHandler>("http", "\"" + handler_ + "\" \"%1\"");
        crossBefore_ = wintest::CountTrayPixels(kCross);
    }

    static HWND visibleMenu(const Tollvane& t) {
        for (HWND h : wintest::TopLevelWindows("#32768", t.Pid()))
            if (IsWindowVisible(h)) return h;
        return nullptr;
    }
    static void press(HWND w, WPARAM key) {
        PostMessageA(w, WM_KEYDOWN, key, 0);
        PostMessageA(w, WM_KEYUP, key, 0xC0000000);
    }
    // A real right click on the tray icon, then the menu item by keyboard
    // (About is the third item, Exit the fourth).
    ::testing::AssertionResult chooseFromTray(const Tollvane& t, int downs) {
        // Away first: a pointer left resting on the icon raises the icon's tooltip
        // over it, and the next click would land on the tooltip.
        wintest::Xdo("mousemove 500 100");
        wintest::Pump(400);
        if (!wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore_; }, 5000))
            return ::testing::AssertionFailure() << "no tray icon";
        const POINT icon = wintest::TrayPixelCentre(kCross);
        wintest::Xdo("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 3");
        if (!wintest::WaitUntil([&] { return visibleMenu(t) != nullptr; }, 5000)) {
            formstest::ScreenshotNow("about-no-menu.png");
            return ::testing::AssertionFailure() << "no menu after a click at " << icon.x << "," << icon.y;
        }
        HWND menu = visibleMenu(t);
        for (int i = 0; i < downs; ++i) press(menu, VK_DOWN);
        press(menu, VK_RETURN);
        if (!wintest::WaitUntil([&] { return visibleMenu(t) == nullptr; }, 5000))
            return ::testing::AssertionFailure() << "the menu stayed open";
        return ::testing::AssertionSuccess();
    }
    static POINT onScreen(HWND w, LONG x, LONG y) {
        POINT p{x, y};
        ClientToScreen(w, &p);
        return p;
    }
    static void moveTo(HWND w, LONG x, LONG y) {
        const POINT p = onScreen(w, x, y);
        wintest::Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y));
    }
    static void clickAt(HWND w, LONG x, LONG y) {
        const POINT p = onScreen(w, x, y);
        wintest::Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1");
    }
    static std::vector<COLORREF> clientPixels(HWND w, const RECT& r) {
        const POINT a = onScreen(w, r.left, r.top);
        return wintest::ScreenPixels(RECT{a.x, a.y, a.x + r.right - r.left, a.y + r.bottom - r.top});
    }
    static int count(const std::vector<COLORREF>& pixels, COLORREF c) {
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), c));
    }
    static bool linkShows(HWND about, COLORREF colour, COLORREF notColour) {
        const auto px = clientPixels(about, kLinkRect);
        return count(px, colour) > 10 && count(px, notColour) == 0;
    }

    std::string folder_, handler_;
    std::unique_ptr<formstest::SchemeHandler> browser_;
    int crossBefore_ = 0;
};

TEST_F(AboutBoxE2E, TheSplashAtStartIsShapedTopmostAndGoesAfterTwoSeconds) {
    const ULONGLONG started = GetTickCount64();
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    HWND splash = t.FindWindowOf("TollvaneSplash");
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_TRUE(GetWindowLongPtrA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(splash, applied), ERROR);
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    int32_t corner = 0;
    HRGN reference = formstest::RegionFromBitmapPerPixel(picture, corner);
    EXPECT_TRUE(EqualRgn(applied, reference));
    DeleteObject(reference);
    DeleteObject(applied);
    DeleteObject(picture);
    wintest::Pump(200);
    formstest::ScreenshotNow("splash-at-start.png");
    ASSERT_TRUE(wintest::WaitUntil([&] { return !IsWindow(splash); }, 5000));
    EXPECT_LE(GetTickCount64() - started, 4000u);
    EXPECT_TRUE(t.Running());
}

TEST_F(AboutBoxE2E, OpenedFromTheTrayMenuItShowsItselfAndOutlivesExit) {
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(chooseFromTray(t, 3));
    HWND about = nullptr;
    ASSERT_TRUE(wintest::WaitUntil([&] { return (about = t.FindWindowOf(forms::kAboutClass)) != nullptr; }, 5000));
    ASSERT_TRUE(wintest::WaitUntil([&] { return IsWindowVisible(about) != FALSE; }, 3000));

    // Texts.
    auto item = [&](int id) { return wintest::WindowText(GetDlgItem(about, id)); };
    EXPECT_EQ(wintest::WindowText(about), "About Tollvane");
    EXPECT_EQ(item(forms::kIdCaption), "Tollvane");
    EXPECT_EQ(item(forms::kIdDescription),
              "Automatically log off your Outlook Express identity when your computer is idle.");
    EXPECT_EQ(item(forms::kIdVersion), "Version " + exeVersion(wintest::BuiltProgram("tollvane.exe")));
    EXPECT_FALSE(item(forms::kIdDisclaimer).empty());
    const std::wstring link = ui::FromAnsi(item(forms::kIdWebLink));
    EXPECT_NE(std::find(forms::kLinkCaptions.begin(), forms::kLinkCaptions.end(), link), forms::kLinkCaptions.end());
    RECT client{};
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 240);

    // Colours as drawn on the screen.
    wintest::Pump(300);
    formstest::ScreenshotNow("about-box.png");
    EXPECT_EQ(clientPixels(about, RECT{4, 4, 5, 5})[0], kBack);
    EXPECT_GT(count(clientPixels(about, kCaptionRect), kText), 20);
    EXPECT_GT(count(clientPixels(about, RECT{20, 179, 280, 180}), kText), 250);             // Line1(0)
    EXPECT_GT(count(clientPixels(about, RECT{20, 176, 280, 177}), RGB(128, 128, 128)), 250);  // Line1(1)
    EXPECT_TRUE(linkShows(about, kBlue, kRed));

    // The link turns red under the pointer and blue again over the form.
    moveTo(about, kLinkRect.left + 4, kLinkRect.top + 8);
    EXPECT_TRUE(wintest::WaitUntil([&] { return linkShows(about, kRed, kBlue); }, 3000));
    formstest::ScreenshotNow("about-box-link-hover.png");
    moveTo(about, 30, 150);
    EXPECT_TRUE(wintest::WaitUntil([&] { return linkShows(about, kBlue, kRed); }, 3000));

    // Clicking the link opens the home page with the handler of its scheme.
    clickAt(about, kLinkRect.left + 4, kLinkRect.top + 8);
    ASSERT_TRUE(formstest::WaitForRecorder(handler_, 10000));
    EXPECT_NE(formstest::RecorderLog(handler_).find("http://www.brackwyn.example/home.html?tv"), std::string::npos)
        << formstest::RecorderLog(handler_);

    // About chosen again: the same one box.
    ASSERT_TRUE(chooseFromTray(t, 3));
    wintest::Pump(300);
    const auto boxes = wintest::TopLevelWindows(forms::kAboutClass, t.Pid());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], about);

    // Exit from the tray: the icon goes, the box keeps the program running.
    ASSERT_TRUE(chooseFromTray(t, 4));
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindow(t.MainWindow()); }, 3000));
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) == crossBefore_; }, 3000));
    wintest::Pump(500);
    EXPECT_TRUE(t.Running());
    EXPECT_TRUE(IsWindow(about));

    // The box's Exit button closes it, and with it the program.
    clickAt(about, (kExitRect.left + kExitRect.right) / 2, (kExitRect.top + kExitRect.bottom) / 2);
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindow(about); }, 3000));
    EXPECT_TRUE(t.WaitExit(5000));
    EXPECT_EQ(t.ExitCode(), 0u);
}

TEST_F(AboutBoxE2E, SysInfoWithoutTheProgramSaysSoInABoxOfItsOwn) {
    formstest::SavedValue path("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    formstest::SavedValue location("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO");
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(chooseFromTray(t, 3));
    HWND about = nullptr;
    ASSERT_TRUE(wintest::WaitUntil([&] { return (about = t.FindWindowOf(forms::kAboutClass)) != nullptr; }, 5000));
    wintest::Pump(300);
    clickAt(about, (kSysInfoRect.left + kSysInfoRect.right) / 2, (kSysInfoRect.top + kSysInfoRect.bottom) / 2);
    HWND box = nullptr;
    ASSERT_TRUE(wintest::WaitUntil([&] { return (box = t.FindWindowOf("#32770", "Tollvane")) != nullptr; }, 5000));
    EXPECT_EQ(wintest::WindowText(GetDlgItem(box, 0xFFFF)), "System Information Is Unavailable At This Time");
    EXPECT_EQ(GetWindow(box, GW_OWNER), about);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindow(box); }, 3000));
    EXPECT_TRUE(IsWindow(about));
}

}  // namespace
