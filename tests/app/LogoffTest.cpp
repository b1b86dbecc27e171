// Closing the mail client, against the stand-in mail client's real windows.
#include <gtest/gtest.h>

#include "app/mOEStuff.h"
#include "support/MailClient.h"

namespace {

using wintest::MailClient;

ULONGLONG timed(void (*f)()) {
    const ULONGLONG start = GetTickCount64();
    f();
    return GetTickCount64() - start;
}

TEST(CloseOutlookExpress, WithNoMailClientPausesNeverAndPostsNothing) {
    MailClient decoy = MailClient::Decoy();
    ASSERT_TRUE(decoy.Ready());
    EXPECT_LT(timed(app::CloseOutlookExpress), 200u);
    wintest::Pump(300);
    EXPECT_EQ(decoy.Count("press decoy &Yes") + decoy.Count("press decoy OK"), 0);
}

TEST(CloseOutlookExpress, AnswersTheMailClientsDialogsButNoOtherProgramsThenClosesTheMainWindow) {
    MailClient decoy = MailClient::Decoy();
    MailClient mail({"close", "yes", "ok"});
    ASSERT_TRUE(decoy.Ready());
    ASSERT_TRUE(mail.Ready());

    app::CloseOutlookExpress();
    ASSERT_TRUE(mail.WaitExit(5000));

    EXPECT_EQ(mail.Count("closed note 1"), 1);
    EXPECT_EQ(mail.Count("press note 2 &Yes"), 1);
    EXPECT_EQ(mail.Count("press note 3 OK"), 1);
    EXPECT_EQ(mail.Count("close main"), 1);
    EXPECT_EQ(decoy.Count("press decoy &Yes") + decoy.Count("press decoy OK"), 0);
    // The main window is asked only after the last message window went.
    const auto mainAsked = mail.Times("close main");
    const auto lastNote = mail.Times("closed note 3");
    ASSERT_EQ(mainAsked.size(), 1u);
    ASSERT_EQ(lastNote.size(), 1u);
    EXPECT_GE(mainAsked[0], lastNote[0]);
}

TEST(CloseOutlookExpress, AWindowThatNeverClosesGetsExactly101RequestsThenTheMainWindowIsAsked) {
    MailClient mail({"never"});
    ASSERT_TRUE(mail.Ready());
    const ULONGLONG took = timed(app::CloseOutlookExpress);
    wintest::Pump(300);
    // 101 close requests with 100 pauses of 250 ms between them.
    EXPECT_EQ(mail.Count("close note 1"), 101);
    EXPECT_GE(took, 100u * 250u - 500u);
    EXPECT_LT(took, 100u * 250u + 5000u);
    EXPECT_EQ(mail.Count("close main"), 1);
}

TEST(CloseOutlookExpress, ADialogWithNeitherYesNorOkIsLeftAlone) {
    MailClient mail({"none"});
    ASSERT_TRUE(mail.Ready());
    app::CloseOutlookExpress();
    wintest::Pump(300);
    EXPECT_EQ(mail.Count("close note 1"), 101);
    EXPECT_EQ(mail.Count("press note 1 &No") + mail.Count("press note 1 Cancel"), 0);
    EXPECT_EQ(mail.Count("close main"), 1);
}

TEST(CloseOutlookExpress, ThreeWindowsClosingAtOnceTakeThreeRequestsWithAPauseAfterEach) {
    MailClient mail({"close", "close", "close"});
    ASSERT_TRUE(mail.Ready());
    const ULONGLONG took = timed(app::CloseOutlookExpress);
    ASSERT_TRUE(mail.WaitExit(5000));
    EXPECT_EQ(mail.Count("close note 1") + mail.Count("close note 2") + mail.Count("close note 3"), 3);
    // The request is posted, so the window is usually still there when it is looked
    // for again: a pass for the request and one more to see it gone.
    EXPECT_GE(took, 3u * 250u - 50u);
    EXPECT_LE(took, 6u * 250u + 500u);
}

TEST(ClickDialogButton, PressesOnlyInTheGivenProcesses) {
    MailClient decoy = MailClient::Decoy();
    ASSERT_TRUE(decoy.Ready());
    app::ClickDialogButton(0, 0);
    app::ClickDialogButton(GetCurrentProcessId(), 0);
    wintest::Pump(300);
    EXPECT_EQ(decoy.Count("press decoy &Yes"), 0);
    app::ClickDialogButton(0, decoy.Pid());
    EXPECT_TRUE(wintest::WaitUntil([&] { return decoy.Count("press decoy &Yes") == 1; }, 3000));
    EXPECT_EQ(decoy.Count("press decoy OK"), 0);  // "&Yes" wins
}

}  // namespace
