// The warning before a logoff and the settings an administrator fixes, end to
// end: the warning window as a person sees it, policy values in the registry
// where Group Policy puts them, and the broadcast that announces them.
#include <windows.h>

#include <algorithm>

#include "support/MailClient.h"
#include "resource.h"
#include "support/ProgramTest.h"
#include "tray/WarningWindow.h"
#include "ui/Language.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

constexpr char kPolicy[] = "Software\\Policies\\Tollvane";
void setPolicy(HKEY root, const char* name, DWORD value) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    wintest::WriteRegValue(root, kPolicy, name, REG_DWORD, {bytes, bytes + sizeof value});
}

int count(const Tollvane& t) {
    const std::string c = t.Caption();
    return !c.empty() && isdigit(static_cast<unsigned char>(c[0])) ? std::stoi(c) : -1;
}

class Policy : public wintest::ProgramTest {
protected:
    void TearDown() override {
        ProgramTest::TearDown();
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) wintest::DeleteKeyTree(root, kPolicy);
    }
};

// The warning window, while it shows.
HWND shownWarning(const Tollvane& t) {
    HWND w = t.FindWindowOf(tray::kWarningClass);
    return IsWindowVisible(w) ? w : nullptr;
}

// The seconds the warning says are left, in the world's language; -1 for other words.
int secondsLeft(HWND warning) {
    const std::string text = wintest::WindowText(warning);
    for (int s = 0; s <= 60; s += 5)
        if (text == ui::AnsiText(IDS_WARNING, std::to_wstring(s))) return s;
    return -1;
}

// The system's warning icon, exactly as drawn on the warning's background, near
// the window's top-left corner on the screen.
bool showsWarningIcon(HWND w) {
    const int size = GetSystemMetrics(SM_CXICON), reach = 24;
    const wintest::Pixels icon = wintest::DrawnPixels(size, size, [&](HDC dc) {
        const RECT all{0, 0, size, size};
        FillRect(dc, &all, GetSysColorBrush(COLOR_INFOBK));
        DrawIcon(dc, 0, 0, LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WARNING)));
    });
    RECT r{};
    GetWindowRect(w, &r);
    const wintest::Pixels seen =
        wintest::ScreenPixels(RECT{r.left, r.top, r.left + size + reach, r.top + size + reach});
    auto at = [](const wintest::Pixels& p, int x, int y) { return p.colours[static_cast<size_t>(y * p.width + x)]; };
    for (int dy = 0; dy < reach; ++dy)
        for (int dx = 0; dx < reach; ++dx) {
            bool same = true;
            for (int y = 0; y < size && same; ++y)
                for (int x = 0; x < size && same; ++x) same = at(seen, x + dx, y + dy) == at(icon, x, y);
            if (same) return true;
        }
    return false;
}

HWND alerted = nullptr;  // the window a screen reader was told about
void CALLBACK onAlert(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) { alerted = hwnd; }

// Delay 1 minute with 60 s of warning, at the real 5 s tick: the warning comes at
// the first idle tick, 55 s ahead, stays and counts down, never takes the focus
// from the window in front, and goes within a second of a move, well before the
// next tick could take it away.
TEST_F(Policy, TheWarningStaysCountsDownKeepsOffTheFocusAndGoesWithinASecondOfAMove) {
    wintest::SetStoredDelay("1");
    wintest::WriteRegString(HKEY_CURRENT_USER, "Software\\Tollvane\\Settings", "WarningSeconds", "60");
    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    wintest::Xdo("mousemove 500 300");
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    const base::UniqueWinEventHook hook(
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, &onAlert, t.Pid(), 0, WINEVENT_OUTOFCONTEXT));
    // The splash is gone before anything of the test's holds the focus.
    ASSERT_TRUE(wintest::WaitUntil([&] { return !IsWindowVisible(t.FindWindowOf("TollvaneSplash")); }, 5000));
    const base::UniqueWindow front(CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 50, 50, 200, 80,
                                                   nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(front.get());
    ASSERT_EQ(GetForegroundWindow(), front.get()) << "the world gives the test no foreground";
    HWND warning = nullptr;
    ASSERT_TRUE(wintest::WaitUntil([&] { return (warning = shownWarning(t)) != nullptr; }, 3 * 5000 + 2000));
    const DWORD shownAt = GetTickCount();
    EXPECT_EQ(secondsLeft(warning), 55);
    EXPECT_TRUE(wintest::WaitUntil([&] { return alerted == warning; }, 1000)) << "no alert for screen readers";
    EXPECT_TRUE(wintest::WaitUntil([&] { return showsWarningIcon(warning); }, 2000));  // once painted
    wintest::Screenshot("tray-warning.png");
    // 12 s on: still there, two ticks on, never the foreground, each new count within the tick.
    bool focusKept = true, stayed = true;
    int shown = 55;
    DWORD changedAt = shownAt, longestGap = 0;
    wintest::WaitUntil(
        [&] {
            focusKept = focusKept && GetForegroundWindow() == front.get();
            stayed = stayed && IsWindowVisible(warning);
            if (const int now = secondsLeft(warning); now != shown)
                shown = now, longestGap = std::max(longestGap, GetTickCount() - changedAt), changedAt = GetTickCount();
            return false;
        },
        12000);
    EXPECT_TRUE(stayed && focusKept) << stayed << focusKept;
    EXPECT_TRUE(shown == 45 || shown == 40) << shown;
    EXPECT_LE(longestGap, 5000u + 1000u);
    // Right after a tick, so that only the quick look at the input can take it away in time.
    ASSERT_TRUE(wintest::WaitUntil([&] { return secondsLeft(warning) != shown; }, 6000));
    const DWORD moved = GetTickCount();
    wintest::Xdo("mousemove 520 310");
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindowVisible(warning); }, 3000));
    wintest::Measured("warning gone after a move (xdotool's start included)", GetTickCount() - moved);
    EXPECT_LE(GetTickCount() - moved, 1000u);
    EXPECT_EQ(GetForegroundWindow(), front.get());
}

// With fast ticks: the warning goes at the logoff itself, with no input to end it,
// and the logoff happens.
TEST_F(Policy, TheWarningGoesAtTheLogoff) {
    wintest::SetStoredDelay("1");
    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    Tollvane t(250);
    ASSERT_TRUE(t.Started());
    HWND warning = nullptr;
    ASSERT_TRUE(wintest::WaitUntil([&] { return (warning = shownWarning(t)) != nullptr; }, 12 * 250 + 5000));
    ASSERT_TRUE(wintest::WaitUntil(wintest::IdentityValuesCleared, 12 * 250 + 5000)) << "no logoff";
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindowVisible(warning); }, 1000));
    EXPECT_TRUE(mail.WaitExit(5000));
}

// The machine's delay wins over the user's policy and the person's own 60, and
// Set Delay only says so; the user's policy of no warning holds too.
TEST_F(Policy, AMachineDelayOfOneMinuteLogsOffAPersonWhoSet60AndSetDelayChangesNothing) {
    wintest::SetStoredDelay("60");
    setPolicy(HKEY_LOCAL_MACHINE, "DelayMinutes", 1);
    setPolicy(HKEY_CURRENT_USER, "DelayMinutes", 100);
    setPolicy(HKEY_CURRENT_USER, "WarningSeconds", 0);
    Tollvane t(500);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(t.Choose(Tollvane::SetDelay));
    HWND box = nullptr;
    ASSERT_TRUE(wintest::WaitUntil([&] { return (box = t.FindWindowOf("#32770", "Tollvane")) != nullptr; }, 5000));
    const std::string said = wintest::WindowText(GetDlgItem(box, 0xFFFF));  // a message box's text
    EXPECT_EQ(said, ui::AnsiText(IDS_POLICY_DELAY_ONE, L"1"));
    EXPECT_FALSE(t.FindWindowOf("#32770", ui::AnsiText(IDS_DELAY_TITLE)));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindow(box); }, 3000));
    EXPECT_EQ(wintest::StoredDelay(), "60");

    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    bool warned = false;
    EXPECT_TRUE(wintest::WaitUntil(
        [&] {
            warned = warned || shownWarning(t);
            return !mail.Running();
        },
        12 * 500 + 5000));
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    EXPECT_FALSE(warned) << "a warning 30 s before the logoff would have shown by its 10th tick";
}

// A value out of range (0 minutes, a number past the 32-bit range) is ignored and
// the next in order holds: the person's own 60 minutes, then, announced while the
// program runs, the user's 1 minute under the machine's 0.
TEST_F(Policy, OutOfRangeValuesAreIgnoredAndOneAddedWhileRunningTakesEffectAtTheBroadcast) {
    wintest::SetStoredDelay("60");
    setPolicy(HKEY_LOCAL_MACHINE, "DelayMinutes", 0);
    setPolicy(HKEY_CURRENT_USER, "DelayMinutes", 0x80000000u);
    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    Tollvane t(100);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(wintest::WaitUntil([&] { return count(t) >= 13; }, 10000)) << "the monitor never ran";
    EXPECT_TRUE(mail.Running()) << "an out-of-range delay was taken";
    setPolicy(HKEY_CURRENT_USER, "DelayMinutes", 1);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"), SMTO_ABORTIFHUNG, 5000,
                        &answer);
    EXPECT_TRUE(mail.WaitExit(12 * 100 + 4000));
    EXPECT_TRUE(wintest::IdentityValuesCleared());
}

}  // namespace
