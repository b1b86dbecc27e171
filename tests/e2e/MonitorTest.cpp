// tollvane.exe end to end: started as a person would start it, observed only
// through what the mail client and the registry see, with the monitor's tick
// shortened (the divisor of 12 ticks a minute stays).
#include <gtest/gtest.h>

#include "support/MailClient.h"
#include "support/Tollvane.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

constexpr unsigned kFastTick = 100;  // delay 1 = 12 ticks = 1.2 s

class Monitor : public testing::Test {
protected:
    void SetUp() override {
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
        wintest::SetIdentityValues("someone");
        wintest::SetStoredDelay("1");
    }
    void TearDown() override {
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
        wintest::SetStoredDelay(nullptr);
    }
};

TEST_F(Monitor, IdleForTheDelayLogsTheMailClientOffAndWatchesForItAgain) {
    MailClient decoy = MailClient::Decoy();
    MailClient mail({"close", "yes", "ok"});
    ASSERT_TRUE(decoy.Ready() && mail.Ready());
    Tollvane tollvane(kFastTick);
    ASSERT_TRUE(tollvane.Started());

    ASSERT_TRUE(mail.WaitExit(15000)) << "no logoff";
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    EXPECT_EQ(mail.Count("closed note 1"), 1);
    EXPECT_EQ(mail.Count("press note 2 &Yes"), 1);
    EXPECT_EQ(mail.Count("press note 3 OK"), 1);
    EXPECT_EQ(mail.Count("close main"), 1);
    EXPECT_EQ(decoy.Count("press decoy &Yes") + decoy.Count("press decoy OK"), 0);
    EXPECT_GE(mail.Times("close main").at(0), mail.Times("closed note 3").at(0));  // after the last note
    EXPECT_GE(std::stoi(tollvane.Caption()), 12);

    // Started again with no input in between: the count was not reset, so the first
    // monitor tick logs off at once.
    wintest::SetIdentityValues("someone else");
    MailClient again({"close"});
    ASSERT_TRUE(again.Ready());
    const DWORD started = GetTickCount();
    ASSERT_TRUE(again.WaitExit(5000));
    EXPECT_LT(GetTickCount() - started, 8u * kFastTick + 1000u);
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    EXPECT_TRUE(tollvane.Running());
}

TEST_F(Monitor, MouseAndKeyboardActivityKeepTheCountAtZero) {
    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    Tollvane tollvane(1000);  // delay 1 = 12 s
    ASSERT_TRUE(tollvane.Started());
    // Keys reach Wine only through its focused X window: the desktop.
    wintest::Xdo("search --name 'Wine desktop' windowfocus --sync");

    // 16 s of activity, a burst every 250 ms: first the mouse alone, then keys alone.
    bool allZero = true;
    int ticksSeen = 0;
    for (int i = 0; i < 64; ++i) {
        if (i < 32)
            wintest::Xdo("mousemove " + std::to_string(200 + 7 * i) + " 300");
        else
            wintest::Xdo("key shift");
        wintest::Pump(250);
        const std::string caption = tollvane.Caption();
        if (caption != "Tollvane") {
            ++ticksSeen;
            allZero = allZero && caption == "0";
            if (caption != "0") ADD_FAILURE() << "count " << caption << " after burst " << i;
        }
    }
    EXPECT_GT(ticksSeen, 0) << "the monitor never ran";
    EXPECT_TRUE(allZero);
    EXPECT_TRUE(mail.Running());
    EXPECT_EQ(mail.Count("close main"), 0);
    EXPECT_FALSE(wintest::IdentityValuesCleared());
}

TEST_F(Monitor, WithoutTheMailClientTheValuesAreNeverTouched) {
    Tollvane tollvane(kFastTick);
    ASSERT_TRUE(tollvane.Started());
    wintest::Pump(3000);  // 30 ticks' worth
    EXPECT_EQ(tollvane.Caption(), "Tollvane");  // the monitor never ran
    const auto v = wintest::ReadRegValue(HKEY_CURRENT_USER, "Identities", "Last UserName");
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
}

TEST_F(Monitor, AStoredDelayThatCannotBeReadFallsBackToTenMinutes) {
    // Left at 0, the first tick would log off a person who is busy working.
    wintest::SetStoredDelay("abc");
    Tollvane tollvane(kFastTick);
    MailClient mail({"close"});
    ASSERT_TRUE(tollvane.Started() && mail.Ready());
    wintest::Pump(2500);  // 25 ticks: past a one- or two-minute delay's worth of ticks at 0
    EXPECT_TRUE(mail.Running());
    EXPECT_FALSE(wintest::IdentityValuesCleared());
    EXPECT_EQ(wintest::StoredDelay(), "abc");  // nothing written back
}

// The real five-second tick: a delay of 1 minute logs off 60 to 65 seconds after the
// monitor starts (the first tick may see the cursor "move" from where it was at start).
TEST_F(Monitor, AtTheRealIntervalOneMinuteLogsOffAfterSixtyToSixtyFiveSeconds) {
    Tollvane tollvane(0);
    ASSERT_TRUE(tollvane.Started());
    MailClient mail({"close"});
    ASSERT_TRUE(mail.Ready());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(mail.WaitExit(80000));
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 59000u);
    EXPECT_LE(took, 67500u);  // 65 s, then the logoff and the client's own exit
    EXPECT_TRUE(wintest::IdentityValuesCleared());
}

}  // namespace
