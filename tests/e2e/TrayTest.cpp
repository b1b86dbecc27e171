// The tray icon and its menu end to end: the icon in Wine's notification area,
// the real popup menu driven by keyboard, the real input box.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "support/MailClient.h"
#include "support/Tollvane.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

constexpr COLORREF kCross = RGB(255, 0, 0);
constexpr COLORREF kEvenLamp = RGB(0, 255, 0);
constexpr COLORREF kOddLamp = RGB(255, 255, 0);

enum MenuItem { SetDelay = 1, LogOffNow = 2, About = 3, Exit = 4 };  // Down presses to reach it

class TrayE2E : public testing::Test {
protected:
    void SetUp() override {
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
        wintest::SetIdentityValues("someone");
        wintest::SetStoredDelay(nullptr);
        crossBefore = wintest::CountTrayPixels(kCross);
    }
    void TearDown() override {
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
        wintest::SetStoredDelay(nullptr);
    }

    static HWND visibleMenu(const Tollvane& t) {
        for (HWND h : wintest::TopLevelWindows("#32768", t.Pid()))
            if (IsWindowVisible(h)) return h;
        return nullptr;
    }
    static bool openMenu(const Tollvane& t) {
        t.TrayMouse(WM_RBUTTONDOWN);
        return wintest::WaitUntil([&] { return visibleMenu(t) != nullptr; }, 5000);
    }
    static void press(HWND w, WPARAM key) {
        PostMessageA(w, WM_KEYDOWN, key, 0);
        PostMessageA(w, WM_KEYUP, key, 0xC0000000);
    }
    static bool choose(const Tollvane& t, MenuItem item) {
        if (!openMenu(t)) return false;
        HWND menu = visibleMenu(t);
        for (int i = 0; i < item; ++i) press(menu, VK_DOWN);
        press(menu, VK_RETURN);
        return wintest::WaitUntil([&] { return visibleMenu(t) == nullptr; }, 5000);
    }
    static HWND inputBox(const Tollvane& t) {
        HWND box = nullptr;
        wintest::WaitUntil([&] { return (box = t.FindWindowOf("#32770", "Logoff Delay")) != nullptr; }, 5000);
        return box;
    }
    // Set Delay through the real box: returns the text the box offered.
    static std::string setDelay(const Tollvane& t, const std::string& typed) {
        if (!choose(t, SetDelay)) return "<no menu>";
        HWND box = inputBox(t);
        if (!box) return "<no box>";
        HWND edit = GetDlgItem(box, 1001);
        const std::string offered = wintest::WindowText(edit);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        wintest::WaitUntil([&] { return !IsWindow(box); }, 5000);
        return offered;
    }

    int crossBefore = 0;
};

TEST_F(TrayE2E, TheIconShowsTheCrossUntilWatchingThenAlternatesWhileIdle) {
    wintest::SetStoredDelay("100");
    Tollvane t(300);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore; }, 5000));
    wintest::Screenshot("tray-not-watching.png");

    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kEvenLamp) > 0; }, 5000));
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kOddLamp) > 0; }, 5000));
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kEvenLamp) > 0; }, 5000));
    EXPECT_EQ(wintest::CountTrayPixels(kCross), crossBefore);
    wintest::Screenshot("tray-watching.png");

    mail.Kill();  // gone: back to the cross at the next tick
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore; }, 5000));
}

TEST_F(TrayE2E, SetDelayOffersTheCurrentDelayAndStoresOnlyWholeMinutesFromOne) {
    wintest::SetStoredDelay("2.5");
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    EXPECT_EQ(setDelay(t, "15"), "2");  // the stored text rounded half to even
    EXPECT_EQ(wintest::StoredDelay(), "15");
    EXPECT_EQ(setDelay(t, "2.9"), "15");
    EXPECT_EQ(wintest::StoredDelay(), "2");
    for (const char* bad : {"0", "-3", "", "abc", "99999999999", "0.5"}) {
        EXPECT_EQ(setDelay(t, bad), "2") << bad;
        EXPECT_EQ(wintest::StoredDelay(), "2") << bad;
    }
    // Cancel changes nothing either.
    ASSERT_TRUE(choose(t, SetDelay));
    HWND box = inputBox(t);
    ASSERT_TRUE(box);
    PostMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindow(box); }, 5000));
    EXPECT_EQ(wintest::StoredDelay(), "2");
}

TEST_F(TrayE2E, StoredDelaysAreReadAsThePlatformReadsThem) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "10"}, {"15", "15"}, {"3.5", "4"}, {"abc", "10"}, {"0", "10"}, {"-3", "10"}, {"99999999999", "10"}};
    for (const auto& [stored, offered] : cases) {
        wintest::SetStoredDelay(stored);
        Tollvane t(0);
        ASSERT_TRUE(t.Started());
        EXPECT_EQ(setDelay(t, ""), offered) << (stored ? stored : "(missing)");
    }
}

TEST_F(TrayE2E, LogOffNowAndDoubleClickLogOffAtOnceWithOrWithoutTheMailClient) {
    wintest::SetStoredDelay("100");
    Tollvane t(100);
    ASSERT_TRUE(t.Started());
    {
        MailClient mail({"yes"});
        ASSERT_TRUE(mail.Ready());
        ASSERT_TRUE(choose(t, LogOffNow));
        EXPECT_TRUE(mail.WaitExit(5000));
        EXPECT_EQ(mail.Count("press note 1 &Yes"), 1);
        EXPECT_TRUE(wintest::IdentityValuesCleared());
    }
    {
        wintest::SetIdentityValues("someone");
        MailClient mail({"ok"});
        ASSERT_TRUE(mail.Ready());
        t.TrayMouse(WM_LBUTTONDBLCLK);
        EXPECT_TRUE(mail.WaitExit(5000));
        EXPECT_TRUE(wintest::IdentityValuesCleared());
    }
    wintest::SetIdentityValues("someone");
    t.TrayMouse(WM_RBUTTONDBLCLK);
    EXPECT_TRUE(wintest::WaitUntil([] { return wintest::IdentityValuesCleared(); }, 3000));
    EXPECT_TRUE(t.Running());
}

TEST_F(TrayE2E, TheLeftButtonOpensNothingTheRightOpensTheMenu) {
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    t.TrayMouse(WM_LBUTTONDOWN);
    t.TrayMouse(WM_LBUTTONUP);
    EXPECT_FALSE(wintest::WaitUntil([&] { return visibleMenu(t) != nullptr; }, 700));
    // A real right click on the icon, as a person makes it.
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore; }, 5000));
    const POINT icon = wintest::TrayPixelCentre(kCross);
    wintest::Xdo("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 3");
    ASSERT_TRUE(wintest::WaitUntil([&] { return visibleMenu(t) != nullptr; }, 5000));
    wintest::Pump(300);
    wintest::Screenshot("tray-menu.png");
    press(visibleMenu(t), VK_ESCAPE);
    EXPECT_TRUE(wintest::WaitUntil([&] { return visibleMenu(t) == nullptr; }, 3000));
    EXPECT_TRUE(t.Running());
}

TEST_F(TrayE2E, ExitRemovesTheIconAtOnceAndEndsTheProgram) {
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore; }, 5000));
    ASSERT_TRUE(choose(t, Exit));
    EXPECT_TRUE(t.WaitExit(5000));
    EXPECT_EQ(t.ExitCode(), 0u);
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) == crossBefore; }, 3000));
}

TEST_F(TrayE2E, ExitChosenWhileTheInputBoxIsOpenEndsCleanly) {
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(choose(t, SetDelay));
    ASSERT_TRUE(inputBox(t));
    ASSERT_TRUE(choose(t, Exit));  // the tray still answers inside the box's modal loop
    EXPECT_TRUE(t.WaitExit(5000));
    EXPECT_EQ(t.ExitCode(), 0u);
    EXPECT_EQ(wintest::StoredDelay(), "");
}

TEST_F(TrayE2E, ALogoffWhileTheInputBoxIsOpenLeavesTheBoxAloneAndWorking) {
    wintest::SetStoredDelay("1");
    Tollvane t(100);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(choose(t, SetDelay));
    HWND box = inputBox(t);
    ASSERT_TRUE(box);
    MailClient mail({"ok"});
    ASSERT_TRUE(mail.Ready());
    EXPECT_TRUE(mail.WaitExit(10000));  // logged off from inside the box's loop
    ASSERT_TRUE(IsWindow(box));         // our own box's "OK" was not pressed
    SendMessageA(GetDlgItem(box, 1001), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(wintest::WaitUntil([] { return wintest::StoredDelay() == "7"; }, 3000));
}

TEST_F(TrayE2E, TheIconComesBackWhenTheShellRecreatesTheTaskbar) {
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore; }, 5000));
    // What a restarted shell looks like to the program: its icon is gone, then the broadcast.
    NOTIFYICONDATAA gone{};
    gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
    gone.hWnd = t.MainWindow();
    Shell_NotifyIconA(NIM_DELETE, &gone);
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) == crossBefore; }, 3000));
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::CountTrayPixels(kCross) > crossBefore; }, 3000));
    ASSERT_TRUE(openMenu(t));  // and it still answers
    press(visibleMenu(t), VK_ESCAPE);
}

}  // namespace
