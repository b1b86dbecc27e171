// The About box end to end: tollvane.exe started as a person starts it, the
// box opened through the real tray menu, everything checked from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/frmAbout.h"
#include "base/Text.h"
#include "resource.h"
#include "support/Tollvane.h"
#include "ui/Language.h"

namespace {

constexpr COLORREF kCross = RGB(255, 0, 0);  // the not-watching tray picture
constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kText = RGB(0x11, 0x11, 0x33);
constexpr RECT kLinkRect{72, 208, 232, 224};  // client pixels at 96 dpi

std::string fileVersion(const std::string& path) {
    std::vector<unsigned char> data(GetFileVersionInfoSizeA(path.c_str(), nullptr) + 1);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data());
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length)) return "<none>";
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info->dwFileVersionLS));
}

void pointer(HWND w, LONG x, LONG y, const std::string& then = "") {
    POINT p{x, y};
    ClientToScreen(w, &p), wintest::Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + then);
}
// How many pixels of a rectangle of the client area a person sees in the colour.
int count(HWND w, RECT r, COLORREF c) {
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return wintest::FindColour(wintest::ScreenPixels(r), c).count;
}
bool linkShows(HWND about, COLORREF colour, COLORREF notColour) {
    return count(about, kLinkRect, colour) > 10 && count(about, kLinkRect, notColour) == 0;
}

// Whether the taskbar shows a button for the window. Wine's taskbar keeps a child
// button for every top-level window of other programs, its id the window's handle,
// and shows those of visible windows that have no owner.
bool taskbarShowsButtonFor(HWND window) {
    const HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    for (HWND b = FindWindowExA(taskbar, nullptr, nullptr, nullptr); b; b = FindWindowExA(taskbar, b, nullptr, nullptr))
        if (GetWindowLongPtrA(b, GWLP_ID) == reinterpret_cast<LONG_PTR>(window) && IsWindowVisible(b)) return true;
    return false;
}

// The pointer away first (resting on the icon, it raises the icon's tooltip over
// it), then a real right click on the icon; About is the third item.
HWND openWithTheMouse(const wintest::Tollvane& t) {
    wintest::Xdo("mousemove 500 100"), wintest::Pump(400);
    const POINT icon = wintest::TrayPixelCentre(kCross);
    wintest::Xdo("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 3");
    HWND menu = nullptr, about = nullptr;
    if (!wintest::WaitUntil([&] { return (menu = t.VisibleMenu()) != nullptr; }, 5000)) return nullptr;
    wintest::Pump(300);
    wintest::Screenshot("tray-menu.png");
    for (int i = 0; i < 3; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    wintest::WaitUntil([&] { return (about = t.FindWindowOf(forms::kAboutClass)) != nullptr; }, 5000);
    return about;
}

// A stand-in (forms_recorder) put where the program finds a helper, logging to "<path>.log".
std::string recorderAt(const std::string& tag) {
    const std::string path = wintest::TempFolder(tag) + "\\recorder.exe";
    CopyFileA(wintest::BuiltProgram("forms_recorder.exe").c_str(), path.c_str(), FALSE);
    return path;
}

TEST(AboutBox, OpenedFromTheTrayMenuItShowsItselfAndOutlivesExit) {
    // The link's scheme goes to a stand-in browser that logs the address it gets
    // (in the machine's classes: all Wine 8 reads).
    const std::string browser = recorderAt("about");
    wintest::LentRegValue handler(HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command");
    handler.Set("\"" + browser + "\" \"%1\"");
    const int crossBefore = wintest::CountTrayPixels(kCross);
    wintest::Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore; }, 5000));
    // The splash, up for two seconds beside the new icon, is a picture, not a
    // window a person switches to: it has no taskbar button.
    const HWND splash = FindWindowA("TollvaneSplash", nullptr);
    ASSERT_NE(splash, nullptr) << "the splash was gone before the icon came";
    wintest::Pump(300);
    EXPECT_FALSE(taskbarShowsButtonFor(splash));
    const HWND about = openWithTheMouse(t);
    ASSERT_NE(about, nullptr);

    auto item = [&](int id) { return wintest::WindowText(GetDlgItem(about, id)); };
    EXPECT_EQ(wintest::WindowText(about), ui::AnsiText(IDS_ABOUT_TITLE, L"Tollvane"));
    EXPECT_EQ(item(forms::kIdCaption), "Tollvane");
    EXPECT_EQ(item(forms::kIdDescription), ui::AnsiText(IDS_ABOUT_DESCRIPTION));
    EXPECT_EQ(item(forms::kIdVersion),
              ui::AnsiText(IDS_ABOUT_VERSION, base::FromAnsi(fileVersion(wintest::BuiltProgram("tollvane.exe")))));

    // Colours as a person sees them: background, title text, link.
    wintest::Pump(300);
    EXPECT_EQ(count(about, RECT{4, 4, 5, 5}, RGB(0xAA, 0xAA, 0xCC)), 1);
    EXPECT_GT(count(about, RECT{72, 8, 409, 41}, kText), 20);
    EXPECT_TRUE(linkShows(about, kBlue, kRed));
    wintest::Screenshot("about-box.png");

    // Red under the pointer, blue again over the form's surface.
    pointer(about, kLinkRect.left + 4, kLinkRect.top + 8);
    EXPECT_TRUE(wintest::WaitUntil([&] { return linkShows(about, kRed, kBlue); }, 3000));
    wintest::Screenshot("about-box-link-hover.png");
    pointer(about, 30, 150);
    EXPECT_TRUE(wintest::WaitUntil([&] { return linkShows(about, kBlue, kRed); }, 3000));

    // A click on the link opens the home page with the handler of its scheme.
    pointer(about, kLinkRect.left + 4, kLinkRect.top + 8, " click 1");
    EXPECT_TRUE(wintest::WaitUntil([&] { return !wintest::ReadFileText(browser + ".log").empty(); }, 10000));
    EXPECT_EQ(wintest::ReadFileText(browser + ".log"),
              "\"" + browser + "\" \"http://www.brackwyn.example/home.html?tv\"\n");

    // About again: the same one box. Exit: the icon goes, the box keeps the program.
    ASSERT_TRUE(t.Choose(wintest::Tollvane::About));
    wintest::Pump(300);
    EXPECT_EQ(wintest::TopLevelWindows(forms::kAboutClass, t.Pid()), std::vector<HWND>{about});
    ASSERT_TRUE(t.Choose(wintest::Tollvane::Exit));
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) == crossBefore; }, 3000));
    EXPECT_FALSE(t.WaitExit(500));

    // The box's Exit button closes it, and with it the program.
    pointer(about, 379, 215, " click 1");
    EXPECT_TRUE(t.WaitExit(5000) && t.ExitCode() == 0u);
}

TEST(AboutBox, TheKeyboardGoesRoundLinkAndButtonsShowingTheFocusOnceUsedEnterPressesEscCloses) {
    const std::string browser = recorderAt("keys-browser"), sysInfo = recorderAt("keys-sysinfo");
    wintest::LentRegValue handler(HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command");
    handler.Set("\"" + browser + "\" \"%1\"");
    wintest::LentRegValue msinfo(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    msinfo.Set(sysInfo);
    wintest::Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > 0; }, 5000));
    const HWND about = openWithTheMouse(t);
    ASSERT_NE(about, nullptr);
    wintest::Pump(500);
    auto shown = [&](RECT r) {
        return MapWindowPoints(about, nullptr, reinterpret_cast<POINT*>(&r), 2), wintest::ScreenPixels(r).colours;
    };
    auto key = [&](const char* k, const std::function<bool()>& then) {
        wintest::Xdo(std::string("key ") + k);
        return wintest::WaitUntil(then, 3000);
    };
    const RECT sysInfoRect{352, 160, 407, 191};
    const auto sysInfoLook = shown(sysInfoRect);
    const COLORREF cue = RGB(0x55, 0x55, 0x33);  // the dotted rectangle: the background inverted
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(about, nullptr), &gui);
    EXPECT_EQ(gui.hwndFocus, GetDlgItem(about, forms::kIdWebLink));  // first in tab order

    // Tab shows where the focus is: on SysInfo, then on the link again after Exit;
    // a button without it looks as before, pixel for pixel.
    EXPECT_TRUE(key("Tab", [&] { return shown(sysInfoRect) != sysInfoLook; }));
    wintest::Screenshot("about-box-focus-sysinfo.png");
    EXPECT_TRUE(key("Tab", [&] { return shown(sysInfoRect) == sysInfoLook; }));
    EXPECT_TRUE(key("Tab", [&] { return count(about, kLinkRect, cue) > 20; }));
    wintest::Screenshot("about-box-focus-link.png");
    EXPECT_TRUE(linkShows(about, kBlue, kRed));

    // Enter and Space on the link open it; Enter on SysInfo presses it; Esc closes the box.
    const std::string url = "\"" + browser + "\" \"http://www.brackwyn.example/home.html?tv\"\n";
    EXPECT_TRUE(key("Return", [&] { return wintest::ReadFileText(browser + ".log") == url; }));
    EXPECT_TRUE(key("space", [&] { return wintest::ReadFileText(browser + ".log") == url + url; }));
    EXPECT_TRUE(key("Tab", [&] { return shown(sysInfoRect) != sysInfoLook; }));
    EXPECT_TRUE(key("Return", [&] { return !wintest::ReadFileText(sysInfo + ".log").empty(); }));
    EXPECT_TRUE(key("Escape", [&] { return !IsWindow(about); }));
    EXPECT_TRUE(t.Running());
}

TEST(Splash, LeavesThePersonsForegroundWindowAloneAndStaysOnTop) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "SplashTestWindow";
    RegisterClassA(&cls);
    base::UniqueWindow mine(CreateWindowExA(0, cls.lpszClassName, "mine", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                            200, nullptr, nullptr, cls.hInstance, nullptr));
    SetForegroundWindow(mine.get());
    ASSERT_TRUE(wintest::WaitUntil([&] { return GetForegroundWindow() == mine.get(); }, 3000));
    wintest::Tollvane t(0);
    ASSERT_TRUE(t.Started());
    const HWND splash = t.FindWindowOf("TollvaneSplash");
    ASSERT_TRUE(splash && IsWindowVisible(splash));
    EXPECT_TRUE(GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);  // and stays so
    int looks = 0;  // the foreground, over the rest of the splash's two seconds
    wintest::WaitUntil([&] { return ++looks, GetForegroundWindow() != mine.get() || !IsWindowVisible(splash); }, 3000);
    char taker[64] = "";
    GetClassNameA(GetForegroundWindow(), taker, sizeof taker);
    EXPECT_EQ(GetForegroundWindow(), mine.get()) << "taken by " << taker << " after " << looks << " looks";
    EXPECT_GT(looks, 10);
}

}  // namespace
