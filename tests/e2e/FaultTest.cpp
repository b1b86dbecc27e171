// Faults and bad surroundings: the mail client dying mid-logoff, windows gone,
// keys that cannot be written, two copies at once.
#include <windows.h>

#include "support/MailClient.h"
#include "support/ProgramTest.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

class Faults : public wintest::ProgramTest {
protected:
    void SetUp() override { ProgramTest::SetUp(), wintest::SetStoredDelay("100"); }
};

TEST_F(Faults, TheMailClientKilledInTheMiddleOfALogoff) {
    Tollvane t(100);
    MailClient mail({"never"});
    ASSERT_TRUE(t.Started() && mail.Ready());
    t.TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(wintest::WaitUntil([&] { return mail.Count("close note 1") >= 3; }, 5000));
    mail.Kill();
    // The logoff ends at the next pass instead of running out its 101 requests
    // (25 s in which the program would answer nothing).
    DWORD_PTR r = 0;
    EXPECT_TRUE(SendMessageTimeoutA(t.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &r));
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    wintest::SetIdentityValues("someone");
    MailClient again({"close"});
    ASSERT_TRUE(again.Ready());
    t.TrayMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(again.WaitExit(5000));
}

TEST_F(Faults, TheMainWindowGoneWhileMessageWindowsRemain) {
    Tollvane t(100);
    MailClient main(std::vector<std::string>{});
    MailClient notes({"close", "close"}, MailClient::NoMain);
    ASSERT_TRUE(t.Started() && main.Ready() && notes.Ready());
    ASSERT_TRUE(wintest::WaitUntil([&] { return t.Caption() != "Tollvane"; }, 5000));  // watching
    main.Kill();
    // The next tick only clears the remembered identity; the notes are not touched.
    EXPECT_TRUE(wintest::WaitUntil([] { return wintest::IdentityValuesCleared(); }, 3000));
    wintest::Pump(500);
    EXPECT_EQ(notes.Count("close note 1"), 0);
    // Log Off Now still closes them, with no main window to ask.
    t.TrayMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(notes.WaitExit(5000));
    EXPECT_TRUE(t.Running());
}

// Keys the person may not write: Set Delay changes nothing, the logoff goes on
// and leaves the identity values as they are.
TEST_F(Faults, KeysThatCannotBeWrittenLeaveSetDelayHarmlessAndTheLogoffGoesOn) {
    if (!wintest::MakeReadOnly(HKEY_CURRENT_USER, "Identities") ||
        !wintest::MakeReadOnly(HKEY_CURRENT_USER, "Software\\Tollvane\\Settings"))
        GTEST_SKIP() << "the platform does not enforce key ACLs";
    Tollvane t(100);
    MailClient mail({"ok"});
    ASSERT_TRUE(t.Started() && mail.Ready());
    EXPECT_EQ(t.SetDelayTo("9"), "100");
    EXPECT_EQ(wintest::StoredDelay(), "100");
    t.TrayMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(mail.WaitExit(5000));
    EXPECT_FALSE(wintest::IdentityValuesCleared());
    EXPECT_TRUE(t.Running());
}

TEST_F(Faults, TwoCopiesBothLogOffWithoutGettingInEachOthersWay) {
    wintest::SetStoredDelay("1");
    Tollvane first(100);
    Tollvane second(100);
    ASSERT_TRUE(first.Started() && second.Started());
    MailClient mail({"yes", "close"});
    ASSERT_TRUE(mail.Ready());
    EXPECT_TRUE(mail.WaitExit(15000));
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    EXPECT_EQ(mail.Count("press note 1 yes"), 1);
    EXPECT_TRUE(first.Running() && second.Running());
}

// An installer asks every running copy to exit, one still starting too: the
// request comes in while the main form loads, waiting on the shell for its icon.
TEST_F(Faults, ACopyAskedToExitWhileItStartsEnds) {
    for (int round = 0; round < 3; ++round) {
        wintest::Child child(L"\"" + base::FromAnsi(wintest::BuiltProgram("tollvane.exe")) + L"\"");
        std::vector<HWND> main;
        for (const DWORD start = GetTickCount(); main.empty() && GetTickCount() - start < 10000;)
            main = wintest::TopLevelWindows("TollvaneMainForm", child.Pid());
        ASSERT_FALSE(main.empty());
        DWORD_PTR result = 0;
        SendMessageTimeoutA(main.front(), WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result);
        // The splash keeps the process for its two seconds.
        EXPECT_TRUE(child.WaitExit(5000) && child.ExitCode() == 0) << "round " << round;
    }
}

}  // namespace
