// Closing the mail client, against the stand-in mail client's real windows.
#include <gtest/gtest.h>

#include "app/mOEStuff.h"
#include "support/MailClient.h"

namespace {

using wintest::MailClient;

TEST(CloseOutlookExpress, WithNoMailClientPausesNeverAndAnswersNoOtherProgram) {
    MailClient decoy = MailClient::Decoy();
    ASSERT_TRUE(decoy.Ready());
    const DWORD start = GetTickCount();
    app::CloseOutlookExpress();
    EXPECT_LT(GetTickCount() - start, 200u);
    wintest::Pump(300);
    EXPECT_EQ(decoy.Count("press decoy &Yes") + decoy.Count("press decoy OK"), 0);
}

// A dialog offering neither "&Yes" nor "OK" is left alone: its window gets exactly
// 101 requests with 250 ms between them, and then the main window is asked anyway.
TEST(CloseOutlookExpress, AWindowThatNeverClosesGetsExactly101RequestsThenTheMainWindowIsAsked) {
    MailClient mail({"none"});
    ASSERT_TRUE(mail.Ready());
    const DWORD start = GetTickCount();
    app::CloseOutlookExpress();
    const DWORD took = GetTickCount() - start;
    wintest::Pump(300);
    EXPECT_EQ(mail.Count("close note 1"), 101);
    EXPECT_EQ(mail.Count("press note 1 &No") + mail.Count("press note 1 Cancel"), 0);
    EXPECT_GE(took, 100u * 250u - 500u);
    EXPECT_LT(took, 100u * 250u + 5000u);
    EXPECT_EQ(mail.Count("close main"), 1);
}

TEST(ClickDialogButton, PressesYesBeforeOkAndOnlyInTheGivenProcesses) {
    MailClient decoy = MailClient::Decoy();
    ASSERT_TRUE(decoy.Ready());
    app::ClickDialogButton(0, 0);
    app::ClickDialogButton(GetCurrentProcessId(), 0);
    wintest::Pump(300);
    EXPECT_EQ(decoy.Count("press decoy &Yes"), 0);
    app::ClickDialogButton(0, decoy.Pid());
    EXPECT_TRUE(wintest::WaitUntil([&] { return decoy.Count("press decoy &Yes") == 1; }, 3000));
    EXPECT_EQ(decoy.Count("press decoy OK"), 0);
}

}  // namespace
