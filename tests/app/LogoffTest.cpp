// The logoff: the identity values against Wine's real registry, and closing the
// mail client against the stand-in's real windows.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/mOEStuff.h"
#include "support/MailClient.h"
#include "support/Tollvane.h"

namespace {

using wintest::MailClient;

// A window of the test's own, active, as the person's input box or About box would be.
struct ActiveWindow {
    HWND hwnd =
        CreateWindowExA(0, "STATIC", "ours", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ActiveWindow() {
        SetActiveWindow(hwnd);
        SetForegroundWindow(hwnd);
    }
    ~ActiveWindow() { DestroyWindow(hwnd); }
};

TEST(CloseOutlookExpress, WithNoMailClientPausesNeverAndTouchesNothing) {
    ActiveWindow ours;
    ASSERT_EQ(GetActiveWindow(), ours.hwnd);
    const DWORD start = GetTickCount();
    app::CloseOutlookExpress();
    EXPECT_LT(GetTickCount() - start, 200u);
    // No main window: nothing was asked of a null window, so our window keeps the
    // activation and no close request landed in our own queue.
    EXPECT_EQ(GetActiveWindow(), ours.hwnd);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
}

// A dialog offering neither "&Yes" nor "OK" is left alone: its window gets exactly
// 101 requests with 250 ms between them, and then the main window is asked anyway.
TEST(CloseOutlookExpress, AWindowThatNeverClosesGetsExactly101RequestsThenTheMainWindowIsAsked) {
    MailClient mail({"none"});
    ASSERT_TRUE(mail.Ready());
    const DWORD start = GetTickCount();
    app::CloseOutlookExpress();
    EXPECT_GE(GetTickCount() - start, 100u * 250u - 500u);
    wintest::Pump(300);
    EXPECT_EQ(mail.Count("close note 1"), 101);
    EXPECT_EQ(mail.Count("press note 1 no") + mail.Count("press note 1 cancel"), 0);
    // The pause as the window saw it: a busy machine may stretch a gap now and
    // then, not the typical one.
    const auto at = mail.Times("close note 1");
    std::vector<unsigned long long> gaps;
    for (size_t i = 1; i < at.size(); ++i) gaps.push_back(at[i] - at[i - 1]);
    ASSERT_EQ(gaps.size(), 100u);
    std::nth_element(gaps.begin(), gaps.begin() + 50, gaps.end());
    EXPECT_GE(gaps[50], 245u);
    EXPECT_LE(gaps[50], 300u);
    EXPECT_EQ(mail.Count("close main"), 1);
}

// Only a visible dialog that a message window of the same process owns is
// answered, "&Yes" before "OK"; an unowned dialog of another program, a hidden
// one and the main window's are left alone.
TEST(ClickDialogButton, AnswersOnlyAVisibleDialogOfAMessageWindowYesBeforeOk) {
    MailClient decoy({}, MailClient::Decoy);
    MailClient mail({"hidden", "both"}, MailClient::MainWithPrompt);
    ASSERT_TRUE(decoy.Ready() && mail.Ready());
    for (HWND note : wintest::TopLevelWindows(app::kNoteWindowClass, mail.Pid()))
        PostMessageA(note, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(wintest::WaitUntil([&] { return mail.Count("close note 1") + mail.Count("close note 2") == 2; }, 5000));
    ActiveWindow ours;
    app::ClickDialogButton();
    ASSERT_TRUE(wintest::WaitUntil([&] { return mail.Count("closed note 2") == 1; }, 5000));
    EXPECT_EQ(mail.Count("press note 2 yes"), 1);
    app::ClickDialogButton();  // nothing left that may be answered
    wintest::Pump(500);
    const auto events = mail.Events();
    EXPECT_EQ(
        std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("press", 0) == 0; }), 1);
    EXPECT_EQ(decoy.Count("press decoy yes") + decoy.Count("press decoy ok"), 0);
}

TEST(ClearLastIdentity, OverwritesTheFourValuesButNeverCreatesTheKey) {
    wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
    app::ClearLastIdentity();
    EXPECT_FALSE(wintest::KeyExists(HKEY_CURRENT_USER, "Identities"));
    wintest::SetIdentityValues("someone");
    wintest::WriteRegString(HKEY_CURRENT_USER, "Identities", "Unrelated", "kept");
    app::ClearLastIdentity();
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    EXPECT_EQ(wintest::ReadRegValue(HKEY_CURRENT_USER, "Identities", "Unrelated").type, static_cast<DWORD>(REG_SZ));
    wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
}

}  // namespace
