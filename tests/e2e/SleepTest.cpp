// The computer asleep, as the program meets it: nothing of it runs while the clock
// goes on (every thread stopped), then one late tick, and the resume that Windows
// announces to every top-level window. At the real 5 s tick, with a delay of 1 minute.
#include "support/MailClient.h"
#include "support/ProgramTest.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

class Sleep : public wintest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp(), wintest::SetStoredDelay("1");
        program_ = std::make_unique<Tollvane>(0);
        ASSERT_TRUE(program_->Started());
        mail_ = std::make_unique<MailClient>(std::vector<std::string>{"close"});
        ASSERT_TRUE(mail_->Ready());
        // Until the first idle tick. The ticks before it see activity: the pointer
        // standing where it did not when the program started, and each key that an
        // earlier test pressed (a tick asks no further once a key reports being
        // pressed since the last query, so it takes one such report per tick).
        ASSERT_TRUE(wintest::WaitUntil([&] { return program_->Caption() == "1"; }, 60000)) << program_->Caption();
        firstIdle_ = GetTickCount();
        ASSERT_TRUE(mail_->Running());
    }
    // Stops the program for `ms` with the mail client open; `during` runs while it sleeps.
    void SleepFor(
        DWORD ms, const std::function<void()>& during = [] {}) {
        wintest::Stopped asleep("tollvane.exe");
        ASSERT_NE(asleep.UnixPid(), 0u) << "the program's process was not found";
        wintest::Pump(ms);
        during();
        asleep.End();
        released_ = GetTickCount();
    }
    void Announce(WPARAM event) { PostMessageA(program_->MainWindow(), WM_POWERBROADCAST, event, 0); }
    // Milliseconds from the release to the logoff (printed for the record), or
    // UINT_MAX when none came within the minute that a missed sleep would add.
    DWORD LogoffAfterRelease() {
        if (!mail_->WaitExit(70000)) {
            ADD_FAILURE() << "no logoff; the program's count: " << program_->Caption();
            return UINT_MAX;
        }
        const DWORD after = GetTickCount() - released_;
        wintest::Measured(testing::UnitTest::GetInstance()->current_test_info()->name() +
                              std::string(": from the release to the logoff"),
                          after);
        return after;
    }

    std::unique_ptr<Tollvane> program_;
    std::unique_ptr<MailClient> mail_;
    DWORD firstIdle_ = 0, released_ = 0;
};

constexpr DWORD kLongerThanTheDelay = 70000;
constexpr WPARAM kSuspend = 4, kResumeSuspend = 7, kResumeAutomatic = 0x12;

// No announcement: the late tick alone counts the time that passed.
TEST_F(Sleep, LongerThanTheDelayLogsOffWithinATickOfTheRelease) {
    SleepFor(kLongerThanTheDelay);
    const DWORD after = LogoffAfterRelease();
    EXPECT_LE(after, 5000u) << "from the release";
    EXPECT_TRUE(wintest::IdentityValuesCleared());
}

// Announced as Windows announces it, and woken by a move of the mouse: the wake
// belongs to whoever comes next, and the logoff comes at once.
TEST_F(Sleep, LongerThanTheDelayAndAnnouncedLogsOffAtTheResumeWhateverInputWokeIt) {
    Announce(kSuspend);
    SleepFor(kLongerThanTheDelay, [&] {
        wintest::Xdo("mousemove_relative 40 30");
        Announce(kResumeAutomatic);
        Announce(kResumeSuspend);
    });
    const DWORD after = LogoffAfterRelease();
    EXPECT_LE(after, 1000u) << "from the release";
    EXPECT_TRUE(wintest::IdentityValuesCleared());
}

// Shorter than the delay, even announced: nothing at the release, and the logoff at
// the ordinary time, a minute after the person was last seen: the tick before the
// first idle one, 55 s before the twelfth.
TEST_F(Sleep, ShorterThanTheDelayLogsOffAtTheOrdinaryTimeNotAtTheRelease) {
    SleepFor(25000, [&] { Announce(kResumeAutomatic); });
    wintest::Pump(3000);
    ASSERT_TRUE(mail_->Running()) << "logged off at the release";
    ASSERT_TRUE(mail_->WaitExit(60000)) << "no logoff; the program's count: " << program_->Caption();
    const DWORD took = GetTickCount() - firstIdle_;
    wintest::Measured("ShorterThanTheDelay: from the first idle tick to the logoff", took);
    EXPECT_GE(took, 54000u);
    EXPECT_LE(took, 62500u);  // 55 s, a tick's lateness, the logoff and the client's own exit
}

}  // namespace
