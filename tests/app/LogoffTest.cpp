// The logoff: the identity values against Wine's real registry, and closing the
// mail client against the stand-in's real windows.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/mOEStuff.h"
#include "support/MailClient.h"
#include "support/Tollvane.h"
#include "ui/Window.h"

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

// The form whose timer paces the closing, as the main form's does.
class Form : public ui::Window {
public:
    Form() { Create(ClassInfo{"LogoffTestForm"}, CreateInfo{WS_POPUP, 0, "", 0, 0, 1, 1}); }
};

// Starts the closing and lets it run out, as the program's message loop would.
struct Closing {
    Form form;
    app::OutlookExpressCloser closer{form};
    explicit Closing(bool run = true) {
        closer.Start();
        if (run) Finish();
    }
    bool Finish(DWORD ms = 40000) {
        return wintest::WaitUntil([&] { return !closer.Running(); }, ms, 5);
    }
};

TEST(CloseOutlookExpress, WithNoMailClientPausesNeverAndTouchesNothing) {
    MailClient notes({"close"}, MailClient::NoMain);
    ASSERT_TRUE(notes.Ready());
    ActiveWindow ours;
    ASSERT_EQ(GetActiveWindow(), ours.hwnd);
    Closing closing(false);
    EXPECT_FALSE(closing.closer.Running());
    // No main window: nothing was asked of a null window, so our window keeps the
    // activation and no close request landed in our own queue; message windows
    // with no main window belong to nobody we know.
    EXPECT_EQ(GetActiveWindow(), ours.hwnd);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    wintest::Pump(300);
    EXPECT_EQ(notes.Count("close note 1"), 0);
}

// A dialog offering neither "&Yes" nor "OK" is left alone: its window gets exactly
// 101 requests with 250 ms between them, and then the main window is asked anyway.
// The window beside it gets its turn all the same, and its Yes is pressed.
TEST(CloseOutlookExpress, AWindowThatNeverClosesGetsExactly101RequestsThenTheMainWindowIsAsked) {
    MailClient mail({"none", "yes"});
    ASSERT_TRUE(mail.Ready());
    const DWORD start = GetTickCount();
    Closing closing;
    EXPECT_GE(GetTickCount() - start, 101u * 250u - 500u);
    wintest::Pump(300);
    EXPECT_EQ(mail.Count("close note 1"), 101);
    EXPECT_EQ(mail.Count("press note 1 retry") + mail.Count("press note 1 cancel"), 0);
    EXPECT_EQ(mail.Count("press note 2 yes"), 1);
    EXPECT_EQ(mail.Count("closed note 2"), 1);
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

// What the logoff did not raise it leaves alone: the person's own prompt in a
// message window (which then stays open), the main window's prompt, a hidden
// dialog, another program's, and the message windows of a process with no main
// window. "&Yes" wins over "OK" in a dialog it raised.
TEST(CloseOutlookExpress, AnswersOnlyWhatItRaisedInTheClientsOwnProcess) {
    MailClient decoy({}, MailClient::Decoy);
    MailClient other({"close"}, MailClient::NoMain);
    MailClient mail({"prompt", "both", "hidden", "close"}, MailClient::MainWithPrompt);
    ASSERT_TRUE(decoy.Ready() && other.Ready() && mail.Ready());
    ASSERT_TRUE(
        wintest::WaitUntil([&] { return wintest::TopLevelWindows(app::kDialogClass, mail.Pid()).size() == 2; }, 5000));
    ActiveWindow ours;
    Closing closing(false);
    // The hidden dialog's window never closes: a few rounds show enough.
    EXPECT_TRUE(wintest::WaitUntil(
        [&] {
            return mail.Count("closed note 2") + mail.Count("closed note 4") == 2 && mail.Count("close note 3") >= 4;
        },
        20000));
    closing.closer.Stop();
    wintest::Pump(300);
    EXPECT_EQ(mail.Count("close note 1"), 0);
    EXPECT_EQ(mail.Count("closed note 1"), 0);
    EXPECT_EQ(mail.Count("press note 2 yes"), 1);
    const auto events = mail.Events();
    EXPECT_EQ(
        std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("press", 0) == 0; }), 1);
    EXPECT_EQ(decoy.Count("press decoy yes") + decoy.Count("press decoy ok"), 0);
    EXPECT_EQ(other.Count("close note 1"), 0);
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
