// What administrators see of the program in the Application event log: the
// events as Wine's stand-in for the log service receives them, and the message
// table that words them in every language.
#include <windows.h>

#include "events.h"
#include "support/MailClient.h"
#include "support/ProgramTest.h"

namespace {

using wintest::LoggedEvent;
using wintest::MailClient;
using wintest::Tollvane;

constexpr WORD kInfo = EVENTLOG_INFORMATION_TYPE, kError = EVENTLOG_ERROR_TYPE;

class Events : public wintest::ProgramTest {
protected:
    void TearDown() override {
        ProgramTest::TearDown();
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Policies\\Tollvane");
    }
};

// One run of the program: its start, an idle logoff, changed policy, Log Off Now
// with identity values that cannot be cleared and a dialog of the person's own,
// and Exit in the middle of a double-click's logoff, whose event still goes out
// before the process ends.
TEST_F(Events, EachStartLogoffPolicyChangeAndFailureIsReportedOnceWithItsFigures) {
    const std::string log = wintest::UnixTempName("events") + ".log";
    wintest::SetStoredDelay("1");
    MailClient idle({"close", "yes", "ok"});
    ASSERT_TRUE(idle.Ready());
    Tollvane t(100, base::FromAnsi(wintest::BuiltProgram("tollvane.exe")), log);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(idle.WaitExit(15000)) << "no idle logoff";
    auto reported = [&](size_t n) {
        return wintest::WaitUntil([&] { return wintest::ReadEventLog(log).size() >= n; }, 5000);
    };
    ASSERT_TRUE(reported(2));

    const DWORD policy = 5, noWarning = 0;
    for (const auto& [name, value] : {std::pair{"DelayMinutes", &policy}, std::pair{"WarningSeconds", &noWarning}}) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(value);
        wintest::WriteRegValue(HKEY_CURRENT_USER, "Software\\Policies\\Tollvane", name, REG_DWORD,
                               {bytes, bytes + sizeof(DWORD)});
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(t.MainWindow(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"), SMTO_NORMAL, 5000,
                        &answer);
    ASSERT_TRUE(reported(3));

    ASSERT_TRUE(wintest::MakeReadOnly(HKEY_CURRENT_USER, "Identities"));
    // One message window with the person's own dialog open in it, left alone.
    MailClient now({"close", "prompt"});
    ASSERT_TRUE(now.Ready());
    ASSERT_TRUE(wintest::WaitUntil([&] { return !wintest::TopLevelWindows("#32770", now.Pid()).empty(); }, 5000));
    ASSERT_TRUE(t.Choose(Tollvane::LogOffNow));
    ASSERT_TRUE(wintest::WaitUntil([&] { return now.Count("close main") > 0; }, 5000));
    ASSERT_TRUE(reported(5));
    now.Kill();

    MailClient never({"never"});
    ASSERT_TRUE(never.Ready());
    t.TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(wintest::WaitUntil([&] { return never.Count("close note 1") >= 2; }, 5000));
    ASSERT_TRUE(t.Choose(Tollvane::Exit));
    ASSERT_TRUE(t.WaitExit(5000));

    const std::vector<LoggedEvent> events = wintest::ReadEventLog(log);
    ASSERT_FALSE(events.empty());
    const std::string version = events[0].inserts.empty() ? "" : events[0].inserts[0];
    EXPECT_TRUE(version.find('.') != std::string::npos) << version;
    const std::string identities = "HKEY_CURRENT_USER\\Identities", denied = std::to_string(ERROR_ACCESS_DENIED);
    const std::vector<LoggedEvent> expected = {
        {MSG_STARTED, kInfo, {version, "1", "30"}},
        {MSG_LOGOFF_IDLE, kInfo, {"1", "3", "2", "0", "0"}},
        {MSG_POLICY_CHANGED, kInfo, {"1", "5", "30", "0"}},
        {MSG_IDENTITY_NOT_CLEARED, kError, {identities, denied}},
        {MSG_LOGOFF_NOW, kInfo, {"1", "0", "0", "1"}},
        // The key still refuses writes: said once, not at every clearing.
        {MSG_LOGOFF_DOUBLE_CLICK, kInfo, {"0", "0", "1", "0"}},
    };
    EXPECT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < std::min(events.size(), expected.size()); ++i) {
        EXPECT_EQ(events[i], expected[i]) << "event " << i << ": 0x" << std::hex << events[i].id << " type "
                                          << events[i].type << ", " << events[i].inserts.size() << " inserts";
    }
    DeleteFileA(wintest::WindowsPathOf(log).c_str());
}

// The message table in the exe, as Event Viewer reads it: every event's sentence
// in each language, with each of its inserts in place and none missing, in that
// language's own letters (a lost code page would garble the Japanese).
TEST(EventMessages, EveryEventReadsAsASentenceInEachLanguageWithItsInserts) {
    const HMODULE exe =
        LoadLibraryExA(wintest::BuiltProgram("tollvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe);
    const std::pair<DWORD, int> events[] = {{MSG_STARTED, 3},
                                            {MSG_STARTED_DELAY_BY_POLICY, 3},
                                            {MSG_STARTED_WARNING_BY_POLICY, 3},
                                            {MSG_STARTED_BOTH_BY_POLICY, 3},
                                            {MSG_LOGOFF_IDLE, 5},
                                            {MSG_LOGOFF_NOW, 4},
                                            {MSG_LOGOFF_DOUBLE_CLICK, 4},
                                            {MSG_LOGOFF_RESUME, 5},
                                            {MSG_POLICY_CHANGED, 4},
                                            {MSG_TRAY_ICON_FAILED, 1},
                                            {MSG_HOOK_REFUSED, 2},
                                            {MSG_SHORTCUT_FAILED, 2},
                                            {MSG_IDENTITY_NOT_CLEARED, 2}};
    // The start as each language words it.
    const std::pair<LANGID, std::wstring> languages[] = {
        {0x409, L"Tollvane <1> started."},
        {0x407, L"Tollvane <1> wurde gestartet. Es meldet die Outlook Express-Identität"},
        {0x40C, L"Tollvane <1> a démarré."},
        {0x40A, L"Tollvane <1> se ha iniciado. Cierra la sesión"},
        {0x411, L"Tollvane <1> を開始しました。"}};
    const std::wstring marks[] = {L"<1>", L"<2>", L"<3>", L"<4>", L"<5>", L"<6>"};
    DWORD_PTR args[6];
    for (size_t i = 0; i < 6; ++i) args[i] = reinterpret_cast<DWORD_PTR>(marks[i].c_str());
    for (const auto& [language, start] : languages) {
        for (const auto& [id, inserts] : events) {
            wchar_t text[2048] = {};
            const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, exe, id,
                                           language, text, 2048, reinterpret_cast<va_list*>(args));
            const std::wstring said(text, n);
            SCOPED_TRACE(testing::Message()
                         << "language 0x" << std::hex << language << ", event 0x" << id << ": " << base::ToAnsi(said));
            ASSERT_GT(n, 0u) << GetLastError();
            for (int k = 0; k < 6; ++k) EXPECT_EQ(said.find(marks[k]) != std::wstring::npos, k < inserts) << k + 1;
            EXPECT_EQ(said.find(L'%'), std::wstring::npos);
            if (id == MSG_STARTED) {
                EXPECT_EQ(said.rfind(start, 0), 0u);
            }
        }
    }
    FreeLibrary(exe);
}

}  // namespace
