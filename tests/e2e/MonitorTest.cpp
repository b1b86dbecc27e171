// tollvane.exe end to end: started as a person would start it, observed only
// through what the mail client and the registry see. These tests send the monitor's
// timer ticks faster than its own 5 s (the divisor of 12 ticks a minute stays); the
// sleep tests run at the real tick.
#include "support/MailClient.h"
#include "support/ProgramTest.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

constexpr unsigned kFastTick = 100;  // delay 1 = 12 ticks = 1.2 s

// The count while the person is active. The form's own 5 s timer ticks beside the
// test's faster ticks, so two ticks now and then come with no input between them:
// a count of 1 may show, but activity never lets it grow.
bool activeCount(const std::string& caption) { return caption == "0" || caption == "1"; }

class Monitor : public wintest::ProgramTest {
protected:
    void SetUp() override { ProgramTest::SetUp(), wintest::SetStoredDelay("1"); }
};

TEST_F(Monitor, IdleForTheDelayLogsTheMailClientOffThroughItsRealWindows) {
    MailClient decoy({}, MailClient::Decoy);
    MailClient mail({"close", "yes", "ok"});
    ASSERT_TRUE(decoy.Ready() && mail.Ready());
    Tollvane tollvane(kFastTick);
    ASSERT_TRUE(tollvane.Started());

    ASSERT_TRUE(mail.WaitExit(15000)) << "no logoff";
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    EXPECT_EQ(mail.Count("closed note 1"), 1);
    EXPECT_EQ(mail.Count("press note 2 yes"), 1);
    EXPECT_EQ(mail.Count("press note 3 ok"), 1);
    EXPECT_EQ(mail.Count("close main"), 1);
    EXPECT_EQ(decoy.Count("press decoy yes") + decoy.Count("press decoy ok"), 0);
    EXPECT_GE(mail.Times("close main").at(0), mail.Times("closed note 3").at(0));  // after the last note
    EXPECT_GE(std::stoi(tollvane.Caption()), 12);
}

// Pointer moves, key presses and wheel turns all count as activity (the wheel
// moves no pointer and holds no key, yet the system's last-input time counts it);
// a still person is logged off after the delay.
TEST_F(Monitor, MovesKeysAndWheelTurnsKeepThePersonLoggedOnAndStillnessLogsOff) {
    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    constexpr unsigned kTick = 500;  // delay 1 = 12 ticks = 6 s
    Tollvane tollvane(kTick);
    ASSERT_TRUE(tollvane.Started());
    // Keys reach Wine only through its focused X window: the desktop.
    wintest::Xdo("search --name 'Wine desktop' windowfocus --sync");
    wintest::Xdo("mousemove 500 300");
    ASSERT_TRUE(wintest::WaitUntil([&] { return tollvane.Caption() != "Tollvane"; }, 5000)) << "the monitor never ran";
    // Each kind of input alone for a while, the wheel for longer than the delay.
    const std::pair<const char*, unsigned> inputs[] = {
        {"key shift", 6}, {"click 5", 16}, {"mousemove_relative 2 1", 6}};
    for (const auto& [input, ticks] : inputs) {
        POINT before{}, after{};
        GetCursorPos(&before);
        // One stream of input a tenth of a second apart, from one shell: starting a
        // program for each from here would space them by what a start costs on a slow PC.
        const unsigned count = ticks * kTick / 100;
        wintest::UnixJob stream("/bin/sh", "-c 'for i in $(seq " + std::to_string(count) + "); do /usr/bin/xdotool " +
                                               input + "; sleep 0.1; done'");
        for (const DWORD start = GetTickCount(); !stream.Ended() && GetTickCount() - start < 120000;) {
            wintest::Pump(100);
            if (!activeCount(tollvane.Caption())) ADD_FAILURE() << "count " << tollvane.Caption() << " under " << input;
        }
        GetCursorPos(&after);
        if (input[0] != 'm') {
            EXPECT_TRUE(before.x == after.x && before.y == after.y) << input << " moved the pointer";
        }
    }
    EXPECT_TRUE(mail.Running());
    EXPECT_FALSE(wintest::IdentityValuesCleared());
    // Still from here on: logged off after the delay's 12 ticks.
    const DWORD still = GetTickCount();
    ASSERT_TRUE(mail.WaitExit(12 * kTick + 4000));
    EXPECT_GE(GetTickCount() - still, 11 * kTick);
    EXPECT_TRUE(wintest::IdentityValuesCleared());
}

}  // namespace
