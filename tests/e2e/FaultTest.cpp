// Faults and bad surroundings: the mail client dying mid-logoff, windows gone,
// keys that cannot be written, two copies at once, a DLL planted beside it.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>

#include "support/MailClient.h"
#include "support/ProgramTest.h"

namespace {

using wintest::MailClient;
using wintest::Tollvane;

// Whether LoadLibraryW(name), called inside the process, loads a module of the
// planted DLL's name there: what any DLL loaded by name would find.
bool LoadsPlanted(DWORD pid, const std::wstring& name) {
    const base::UniqueKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid));
    const SIZE_T bytes = (name.size() + 1) * sizeof(wchar_t);
    void* remote = process ? VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT, PAGE_READWRITE) : nullptr;
    if (!remote || !WriteProcessMemory(process.get(), remote, name.c_str(), bytes, nullptr)) return false;
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryW")));
    const base::UniqueKernelHandle thread(CreateRemoteThread(process.get(), nullptr, 0, load, remote, 0, nullptr));
    if (thread) WaitForSingleObject(thread.get(), 10000);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    const base::UniqueKernelHandle modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    MODULEENTRY32W m{};
    m.dwSize = sizeof m;
    for (BOOL more = Module32FirstW(modules.get(), &m); more; more = Module32NextW(modules.get(), &m))
        if (lstrcmpiW(m.szModule, L"tvplanted.dll") == 0) return true;
    return false;
}

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
    // The logoff ends at its next step, with nothing left to close, instead of
    // running out its 101 requests; a logoff asked for before then starts no other.
    wintest::Pump(600);
    EXPECT_TRUE(wintest::IdentityValuesCleared());
    wintest::SetIdentityValues("someone");
    MailClient again({"close"});
    ASSERT_TRUE(again.Ready());
    t.TrayMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(again.WaitExit(5000));
}

// Started from a download folder that holds a planted DLL: a DLL that system
// code loads by name later is not taken from there.
TEST_F(Faults, ADllPlantedInTheFolderItStartsInIsNotLoaded) {
    const std::string folder = wintest::TempFolder("planted"), planted = folder + "\\tvplanted.dll";
    ASSERT_TRUE(CopyFileA(wintest::BuiltProgram("tvplanted.bin").c_str(), planted.c_str(), FALSE));
    char own[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, own);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    Tollvane t(0);
    SetCurrentDirectoryA(own);
    ASSERT_TRUE(t.Started());
    EXPECT_FALSE(LoadsPlanted(t.Pid(), L"tvplanted.dll"));
    EXPECT_TRUE(LoadsPlanted(t.Pid(), base::FromAnsi(planted)));  // the probe itself works
}

TEST_F(Faults, TheMainWindowGoneWhileMessageWindowsRemain) {
    Tollvane t(100);
    MailClient main(std::vector<std::string>{});
    MailClient notes({"close", "close"}, MailClient::NoMain);
    ASSERT_TRUE(t.Started() && main.Ready() && notes.Ready());
    ASSERT_TRUE(wintest::WaitUntil([&] { return t.Caption() != "Tollvane"; }, 5000));  // watching
    main.Kill();
    // The next tick only clears the remembered identity; the notes are not touched,
    // nor by Log Off Now: with no main window they belong to nobody we know.
    EXPECT_TRUE(wintest::WaitUntil([] { return wintest::IdentityValuesCleared(); }, 3000));
    t.TrayMouse(WM_LBUTTONDBLCLK);
    wintest::Pump(1000);
    EXPECT_EQ(notes.Count("close note 1") + notes.Count("close note 2"), 0);
    EXPECT_TRUE(t.Running());
}

// A logoff runs on the program's timer: its windows answer at every moment, its
// menu opens, and a second logoff asked for meanwhile starts no other.
TEST_F(Faults, TheProgramAnswersThroughoutALogoffAndStartsNoSecond) {
    // The emulated 32-bit PC is as slow as our users' oldest.
    const DWORD limit = sizeof(void*) == 4 ? 1000 : 250;
    Tollvane t(0);
    MailClient mail({"none", "yes"});
    ASSERT_TRUE(t.Started() && mail.Ready());
    t.TrayMouse(WM_LBUTTONDBLCLK);
    DWORD worst = 0;
    int unanswered = 0;
    bool again = false;
    for (const DWORD start = GetTickCount(); mail.Running() && GetTickCount() - start < 40000;) {
        const DWORD asked = GetTickCount();
        DWORD_PTR r = 0;
        if (!SendMessageTimeoutA(t.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, limit, &r)) ++unanswered;
        worst = std::max(worst, GetTickCount() - asked);
        if (!again && mail.Count("close note 1") >= 10) {
            again = true;
            EXPECT_TRUE(t.Choose(Tollvane::LogOffNow));
            t.TrayMouse(WM_LBUTTONDBLCLK);
        }
        wintest::Pump(250);
    }
    wintest::Measured("the main form's slowest answer during a logoff", worst);
    EXPECT_EQ(unanswered, 0);
    EXPECT_FALSE(mail.Running());
    EXPECT_EQ(mail.Count("close note 1"), 101);
    EXPECT_EQ(mail.Count("press note 2 yes"), 1);
    EXPECT_EQ(mail.Count("close main"), 1);
}

// Exit from the menu in the middle of a logoff ends the program, and the logoff with it.
TEST_F(Faults, ExitDuringALogoffEndsTheProgramAndTheLogoff) {
    Tollvane t(0);
    MailClient mail({"never"});
    ASSERT_TRUE(t.Started() && mail.Ready());
    t.TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(wintest::WaitUntil([&] { return mail.Count("close note 1") >= 2; }, 5000));
    ASSERT_TRUE(t.Choose(Tollvane::Exit));
    EXPECT_TRUE(t.WaitExit(5000));
    EXPECT_EQ(t.ExitCode(), 0u);
    const int asked = mail.Count("close note 1");
    wintest::Pump(1000);
    EXPECT_EQ(mail.Count("close note 1"), asked);
    EXPECT_EQ(mail.Count("close main"), 0);
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
