// The warning before a logoff and the settings an administrator fixes, end to
// end: the balloon as Wine's notification area shows it, policy values in the
// registry where Group Policy puts them, and the broadcast that announces them.
#include <windows.h>

#include "support/MailClient.h"
#include "resource.h"
#include "support/ProgramTest.h"
#include "ui/Language.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

constexpr char kPolicy[] = "Software\\Policies\\Tollvane";
// The warning 30 s ahead, in the words of the world's language.
const std::string kWarning30 = ui::AnsiText(IDS_WARNING, L"30");

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

// Wine's notification area shows a balloon 2 s after it was asked for: ticks of a
// second leave it time to come before the logoff.
constexpr unsigned kBalloonTick = 1000;
constexpr int kBalloonDelayTicks = 2;

// Delay 1 minute, the warning's default 30 s: at the 6th of 12 idle ticks.
TEST_F(Policy, TheWarningBalloonComesAtItsPointAndAMoveTakesItAwayAndTheLogoffDoesNotCome) {
    wintest::SetStoredDelay("1");
    constexpr unsigned kTick = kBalloonTick;
    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    wintest::Xdo("mousemove 500 300");
    Tollvane t(kTick);
    ASSERT_TRUE(t.Started());
    int seenAt = -1;
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::ShownTip(true) == kWarning30 && (seenAt = count(t)) >= 0; },
                                   12 * kTick + 3000))
        << "no balloon; the count is " << t.Caption();
    // The form's own timer adds a tick now and then.
    EXPECT_TRUE(seenAt >= 6 && seenAt <= 6 + kBalloonDelayTicks + 2) << seenAt;
    wintest::Screenshot("tray-warning.png");
    wintest::Xdo("mousemove 520 310");
    EXPECT_TRUE(wintest::WaitUntil([] { return wintest::ShownTip(true).empty(); }, 3 * kTick + 1000));
    // The logoff was 6 ticks away: 9 more pass without it, the count started over.
    wintest::Pump(9 * kTick);
    EXPECT_TRUE(mail.Running());
    EXPECT_FALSE(wintest::IdentityValuesCleared());
    EXPECT_LT(count(t), 12);
}

// The machine's delay wins over the user's policy and the person's own 60, and
// Set Delay only says so; the user's policy of no warning holds too.
TEST_F(Policy, AMachineDelayOfOneMinuteLogsOffAPersonWhoSet60AndSetDelayChangesNothing) {
    wintest::SetStoredDelay("60");
    setPolicy(HKEY_LOCAL_MACHINE, "DelayMinutes", 1);
    setPolicy(HKEY_CURRENT_USER, "DelayMinutes", 100);
    setPolicy(HKEY_CURRENT_USER, "WarningSeconds", 0);
    Tollvane t(kBalloonTick / 2);
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
    bool balloon = false;
    EXPECT_TRUE(wintest::WaitUntil(
        [&] {
            if (!wintest::ShownTip(true).empty()) balloon = true;
            return !mail.Running();
        },
        12 * kBalloonTick / 2 + 5000));
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    EXPECT_FALSE(balloon) << "a warning 30 s before the logoff would have shown by its 10th tick";
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
