// The tray icon and its menu end to end: the icon in Wine's notification area,
// the real popup menu driven by keyboard, the real input box.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <string>

#include "support/MailClient.h"
#include "resource.h"
#include "support/ProgramTest.h"
#include "ui/Language.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

constexpr COLORREF kCross = RGB(255, 0, 0);
constexpr COLORREF kEvenLamp = RGB(0, 255, 0);
constexpr COLORREF kOddLamp = RGB(255, 255, 0);

// Whether the process has a module loaded from a path that holds `part` (lower case).
bool loadsFrom(DWORD pid, const std::string& part) {
    const base::UniqueKernelHandle modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    MODULEENTRY32 m{};
    m.dwSize = sizeof m;
    for (BOOL more = Module32First(modules.get(), &m); more; more = Module32Next(modules.get(), &m))
        if (std::string(CharLowerA(m.szExePath)).find(part) != std::string::npos) return true;
    return false;
}

class TrayE2E : public wintest::ProgramTest {
protected:
    void SetUp() override { ProgramTest::SetUp(), crossBefore = wintest::CountTrayPixels(kCross); }
    bool waitFor(COLORREF c, bool present = true) const {
        return wintest::WaitUntil(
            [&] { return (wintest::CountTrayPixels(c) > (c == kCross ? crossBefore : 0)) == present; }, 5000);
    }
    // What a restarted shell looks like to the program: its icon gone, then the broadcast.
    static void restartShell(const Tollvane& t) {
        NOTIFYICONDATAA gone{};
        gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
        gone.hWnd = t.MainWindow();
        Shell_NotifyIconA(NIM_DELETE, &gone);
        wintest::Pump(300);
        PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    }

    int crossBefore = 0;
};

TEST_F(TrayE2E, TheIconShowsTheCrossUntilWatchingAlternatesWhileIdleSurvivesAShellRestartAndAClose) {
    wintest::SetStoredDelay("100");
    Tollvane t(300);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(waitFor(kCross));
    // The tip, as the shell shows it under a resting pointer.
    const POINT icon = wintest::TrayPixelCentre(kCross);
    wintest::Xdo("mousemove " + std::to_string(icon.x - 2) + " " + std::to_string(icon.y));
    wintest::Xdo("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y));
    EXPECT_TRUE(wintest::WaitUntil([] { return wintest::ShownTip() == ui::AnsiText(IDS_TRAY_TIP); }, 5000));
    wintest::Screenshot("tray-not-watching.png");
    wintest::Xdo("mousemove 500 300");
    restartShell(t);  // while waiting
    EXPECT_TRUE(waitFor(kCross));

    MailClient mail(std::vector<std::string>{});
    ASSERT_TRUE(mail.Ready());
    EXPECT_TRUE(waitFor(kEvenLamp));
    EXPECT_TRUE(waitFor(kOddLamp));
    EXPECT_TRUE(waitFor(kEvenLamp));
    EXPECT_TRUE(waitFor(kCross, false));
    wintest::Screenshot("tray-watching.png");
    restartShell(t);  // while watching: back with a watching picture
    EXPECT_TRUE(wintest::WaitUntil(
        [&] { return wintest::CountTrayPixels(kEvenLamp) + wintest::CountTrayPixels(kOddLamp) > 0; }, 3000));

    mail.Kill();  // gone: back to the cross at the next tick
    EXPECT_TRUE(waitFor(kCross));
    ASSERT_TRUE(t.OpenMenu());                     // and the icon still answers
    PostMessageA(t.MainWindow(), WM_CLOSE, 0, 0);  // what the uninstaller does, here with the menu open
    EXPECT_TRUE(t.WaitExit(5000));
    EXPECT_EQ(t.ExitCode(), 0u);
}

TEST_F(TrayE2E, SetDelayOffersTheCurrentDelayAndStoresOnlyWholeMinutesFromOne) {
    wintest::SetStoredDelay("2.5");
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    EXPECT_EQ(t.SetDelayTo("15"), "2");  // the stored text rounded half to even
    EXPECT_EQ(wintest::StoredDelay(), "15");
    EXPECT_EQ(t.SetDelayTo("2.9"), "15");
    EXPECT_EQ(wintest::StoredDelay(), "2");
    for (const char* bad : {"0", "-3", "", "abc", "99999999999"}) {
        EXPECT_EQ(t.SetDelayTo(bad), "2") << bad;
        EXPECT_EQ(wintest::StoredDelay(), "2") << bad;
    }
}

TEST_F(TrayE2E, LogOffNowAndDoubleClickLogOffAtOnceWithOrWithoutTheMailClient) {
    wintest::SetStoredDelay("100");
    Tollvane t(100);
    ASSERT_TRUE(t.Started());
    MailClient mail({"yes"});
    ASSERT_TRUE(mail.Ready());
    ASSERT_TRUE(t.Choose(Tollvane::LogOffNow));
    EXPECT_TRUE(mail.WaitExit(5000));
    EXPECT_EQ(mail.Count("press note 1 yes"), 1);
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    // The watcher may have seen the main window before it went; then the next tick
    // finds the client gone and clears the identity once more. Let it come first.
    wintest::Pump(500);

    // A single click does nothing; a right double-click logs off without the client
    // (the left one, with it, in the fault tests).
    wintest::SetIdentityValues("someone");
    t.TrayMouse(WM_LBUTTONDOWN);
    EXPECT_FALSE(
        wintest::WaitUntil([&] { return t.VisibleMenu() != nullptr || wintest::IdentityValuesCleared(); }, 700));
    t.TrayMouse(WM_RBUTTONDBLCLK);
    EXPECT_TRUE(wintest::WaitUntil([] { return wintest::IdentityValuesCleared(); }, 3000));
    EXPECT_TRUE(t.Running());
}

// The input box runs a modal loop of its own: a logoff inside it leaves the box
// alone and working, and Exit from inside it ends the program and removes the icon.
TEST_F(TrayE2E, ALogoffInsideTheInputBoxLeavesItWorkingAndExitFromInsideItEndsTheProgram) {
    wintest::SetStoredDelay("1");
    Tollvane t(100);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(waitFor(kCross));
    ASSERT_TRUE(t.Choose(Tollvane::SetDelay));
    HWND box = t.InputBox();
    ASSERT_TRUE(box);
    wintest::Screenshot("set-delay.png");
    // The common controls load after the icon, yet in time for the box: version 6,
    // from the side-by-side store, as the manifest asks.
    EXPECT_TRUE(loadsFrom(t.Pid(), "common-controls"));
    MailClient mail({"ok"});
    ASSERT_TRUE(mail.Ready());
    EXPECT_TRUE(mail.WaitExit(10000));  // logged off from inside the box's loop
    ASSERT_TRUE(IsWindow(box));         // our own box's "OK" was not pressed
    SendMessageA(GetDlgItem(box, 1001), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(wintest::WaitUntil([] { return wintest::StoredDelay() == "7"; }, 3000));

    ASSERT_TRUE(t.Choose(Tollvane::SetDelay));
    ASSERT_TRUE(t.InputBox());
    ASSERT_TRUE(t.Choose(Tollvane::Exit));  // the tray still answers inside the box's modal loop
    EXPECT_TRUE(t.WaitExit(5000));
    EXPECT_EQ(t.ExitCode(), 0u);
    EXPECT_TRUE(waitFor(kCross, false));
    EXPECT_EQ(wintest::StoredDelay(), "7");
}

}  // namespace
