// The About box end to end: tollvane.exe started as a person starts it, the
// box opened through the real tray menu, everything checked from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "forms/frmAbout.h"
#include "forms/mGetRandomLabel.h"
#include "support/Tollvane.h"
#include "ui/Text.h"

namespace {

using wintest::Tollvane;

constexpr COLORREF kCross = RGB(255, 0, 0);  // the not-watching tray picture
constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);
constexpr RECT kLinkRect{72, 208, 232, 224};  // client pixels at 96 dpi

std::string fileVersion(const std::string& path) {
    std::vector<unsigned char> data(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (data.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length))
        return "<none>";
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info->dwFileVersionLS));
}

HWND visibleMenu(const Tollvane& t) {
    for (HWND h : wintest::TopLevelWindows("#32768", t.Pid()))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

// A real right click on the tray icon, then the item by keyboard (About is
// the third, Exit the fourth).
::testing::AssertionResult chooseFromTray(const Tollvane& t, int downs) {
    // Away first: a pointer resting on the icon raises the icon's tooltip over it.
    wintest::Xdo("mousemove 500 100");
    wintest::Pump(400);
    const POINT icon = wintest::TrayPixelCentre(kCross);
    wintest::Xdo("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 3");
    if (!wintest::WaitUntil([&] { return visibleMenu(t) != nullptr; }, 5000))
        return ::testing::AssertionFailure() << "no menu after a click at " << icon.x << "," << icon.y;
    for (int i = 0; i < downs; ++i) PostMessageA(visibleMenu(t), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(visibleMenu(t), WM_KEYDOWN, VK_RETURN, 0);
    if (!wintest::WaitUntil([&] { return visibleMenu(t) == nullptr; }, 5000))
        return ::testing::AssertionFailure() << "the menu stayed open";
    return ::testing::AssertionSuccess();
}

POINT onScreen(HWND w, LONG x, LONG y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    return p;
}
void pointer(HWND w, LONG x, LONG y, const char* then = "") {
    const POINT p = onScreen(w, x, y);
    wintest::Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + then);
}
std::vector<COLORREF> clientPixels(HWND w, const RECT& r) {
    const POINT a = onScreen(w, r.left, r.top);
    return wintest::ScreenPixels(RECT{a.x, a.y, a.x + r.right - r.left, a.y + r.bottom - r.top});
}
int count(const std::vector<COLORREF>& pixels, COLORREF c) {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), c));
}
bool linkShows(HWND about, COLORREF colour, COLORREF notColour) {
    const auto px = clientPixels(about, kLinkRect);
    return count(px, colour) > 10 && count(px, notColour) == 0;
}

TEST(AboutBox, OpenedFromTheTrayMenuItShowsItselfAndOutlivesExit) {
    // The link's scheme goes to a stand-in browser that logs the address it gets.
    const std::string browser = wintest::TempFolder("about") + "\\browser.exe";
    ASSERT_TRUE(formstest::PlaceRecorder(browser));
    const auto lent = formstest::LendScheme("http", "\"" + browser + "\" \"%1\"");
    const int crossBefore = wintest::CountTrayPixels(kCross);
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore; }, 5000));
    ASSERT_TRUE(chooseFromTray(t, 3));
    HWND about = nullptr;
    ASSERT_TRUE(wintest::WaitUntil([&] { return (about = t.FindWindowOf(forms::kAboutClass)) != nullptr; }, 5000));

    auto item = [&](int id) { return wintest::WindowText(GetDlgItem(about, id)); };
    EXPECT_EQ(wintest::WindowText(about), "About Tollvane");
    EXPECT_EQ(item(forms::kIdCaption), "Tollvane");
    EXPECT_EQ(item(forms::kIdDescription),
              "Automatically log off your Outlook Express identity when your computer is idle.");
    EXPECT_EQ(item(forms::kIdVersion), "Version " + fileVersion(wintest::BuiltProgram("tollvane.exe")));
    const std::wstring link = ui::FromAnsi(item(forms::kIdWebLink));
    EXPECT_NE(std::find(forms::kLinkCaptions.begin(), forms::kLinkCaptions.end(), link), forms::kLinkCaptions.end());
    RECT client{};
    GetClientRect(about, &client);
    EXPECT_EQ(client.right * 1000 + client.bottom, 420 * 1000 + 240);

    // Colours as a person sees them: background, title text, the two lines, the link.
    wintest::Pump(300);
    EXPECT_EQ(clientPixels(about, RECT{4, 4, 5, 5})[0], RGB(0xAA, 0xAA, 0xCC));
    EXPECT_GT(count(clientPixels(about, RECT{72, 8, 409, 41}), RGB(0x11, 0x11, 0x33)), 20);
    EXPECT_EQ(count(clientPixels(about, RECT{16, 179, 289, 180}), RGB(0x11, 0x11, 0x33)), 273);
    EXPECT_EQ(count(clientPixels(about, RECT{15, 176, 289, 177}), RGB(128, 128, 128)), 274);
    EXPECT_TRUE(linkShows(about, kBlue, kRed));
    // The buttons wear their skins, cut out along the skins' key colour.
    for (const RECT& button : {RECT{352, 160, 407, 191}, RECT{352, 200, 407, 231}}) {
        const auto px = clientPixels(about, button);
        EXPECT_GT(count(px, RGB(0x11, 0x11, 0x33)), 100);
        EXPECT_EQ(count(px, RGB(0xC0, 0xC0, 0xFF)), 0);
        EXPECT_EQ(px[0], RGB(0xAA, 0xAA, 0xCC));
    }
    formstest::ScreenshotNow("about-box.png");

    // Red under the pointer, blue again over the form's surface.
    pointer(about, kLinkRect.left + 4, kLinkRect.top + 8);
    EXPECT_TRUE(wintest::WaitUntil([&] { return linkShows(about, kRed, kBlue); }, 3000));
    formstest::ScreenshotNow("about-box-link-hover.png");
    pointer(about, 30, 150);
    EXPECT_TRUE(wintest::WaitUntil([&] { return linkShows(about, kBlue, kRed); }, 3000));

    // A click on the link opens the home page with the handler of its scheme.
    pointer(about, kLinkRect.left + 4, kLinkRect.top + 8, " click 1");
    EXPECT_TRUE(wintest::WaitUntil([&] { return !formstest::RecorderLog(browser).empty(); }, 10000));
    EXPECT_EQ(formstest::RecorderLog(browser), "\"" + browser + "\" \"http://www.brackwyn.example/home.html?tv\"\n");

    // About again: the same one box. Exit: the icon goes, the box keeps the program.
    ASSERT_TRUE(chooseFromTray(t, 3));
    wintest::Pump(300);
    EXPECT_EQ(wintest::TopLevelWindows(forms::kAboutClass, t.Pid()), std::vector<HWND>{about});
    ASSERT_TRUE(chooseFromTray(t, 4));
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) == crossBefore; }, 3000));
    wintest::Pump(500);
    EXPECT_TRUE(t.Running());

    // The box's Exit button closes it, and with it the program.
    pointer(about, 379, 215, " click 1");
    EXPECT_TRUE(t.WaitExit(5000));
    EXPECT_EQ(t.ExitCode(), 0u);
}

}  // namespace
