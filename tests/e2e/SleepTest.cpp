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
        appeared_ = GetTickCount();
        // Past the first sample, 5 s after the mail client appeared: the person was
        // last seen there (the pointer stands where it did not at the start).
        wintest::Pump(8000);
        ASSERT_TRUE(mail_->Running());
    }
    // Stops the program for `ms` with the mail client open; `during` runs while it sleeps.
    void SleepFor(DWORD ms, const std::function<void()>& during = [] {}) {
        wintest::Stopped asleep("tollvane.exe");
        ASSERT_TRUE(asleep.Ok()) << "the program's process was not found";
        wintest::Pump(ms);
        during();
        asleep.End();
        released_ = GetTickCount();
    }
    void Announce(WPARAM event) { PostMessageA(program_->MainWindow(), WM_POWERBROADCAST, event, 0); }
    // Milliseconds from the release to the logoff (printed for the record), or
    // UINT_MAX when none came within the minute that a missed sleep would add.
    DWORD LogoffAfterRelease() {
        if (!mail_->WaitExit(70000)) return UINT_MAX;
        const DWORD after = GetTickCount() - released_;
        wintest::Measured(testing::UnitTest::GetInstance()->current_test_info()->name() +
                              std::string(": from the release to the logoff"), after);
        return after;
    }

    std::unique_ptr<Tollvane> program_;
    std::unique_ptr<MailClient> mail_;
    DWORD appeared_ = 0, released_ = 0;
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
// the ordinary time, a minute after the person was last seen.
TEST_F(Sleep, ShorterThanTheDelayLogsOffAtTheOrdinaryTimeNotAtTheRelease) {
    SleepFor(25000, [&] { Announce(kResumeAutomatic); });
    wintest::Pump(3000);
    ASSERT_TRUE(mail_->Running()) << "logged off at the release";
    ASSERT_TRUE(mail_->WaitExit(60000));
    const DWORD took = GetTickCount() - appeared_;
    wintest::Measured("ShorterThanTheDelay: from the mail client to the logoff", took);
    EXPECT_GE(took, 59000u);
    EXPECT_LE(took, 67500u);  // 65 s, then the logoff and the client's own exit
}

}  // namespace
