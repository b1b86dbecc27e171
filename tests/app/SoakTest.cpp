// A day of monitoring in minutes: the monitor's ticks driven one after another
// (each stands for 5 s), the stand-in mail client coming and going and being
// logged off, the tray menu, Set Delay, the About box and its buttons used now
// and then. Afterwards the process holds the GDI objects, windows and memory
// it held after the warm-up. TOLLVANE_SOAK_SHORT=1 runs four hours' worth.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstdlib>

#include "app/frmMain.h"
#include "forms/frmAbout.h"
#include "support/MailClient.h"
#include "support/Tollvane.h"
#include "tray/SysTray.h"

namespace {

using wintest::MailClient;

constexpr int kTicksPerHour = 720;
constexpr int kTicksPerCycle = 60;  // a mail client every 5 simulated minutes

// Resident memory (Wine reports no private usage).
size_t residentBytes() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.WorkingSetSize;
}

// Closes whatever modal thing the message opens: the popup menu, or the input box
// (answered with "1" so the delay stays one minute).
void withModalAnswered(UINT msg, WPARAM wParam, LPARAM lParam) {
    wintest::AnswerModal([&] { SendMessageA(app::frmMain().hWnd(), msg, wParam, lParam); },
                         [](HWND box) {
                             SetDlgItemTextA(box, 1001, "1");
                             PostMessageA(box, WM_COMMAND, IDOK, 0);
                         });
}

// Opens the About box, hovers and presses its Exit button (which closes the box);
// returns whether the box opened.
bool useAboutBox() {
    SendMessageA(app::frmMain().hWnd(), WM_COMMAND, 0x2002, 0);  // About
    forms::FrmAbout& about = forms::frmAbout();
    if (!about.IsLoaded()) return false;
    const HWND exit = about.bExit.hWnd();
    for (auto [m, x] : {std::pair{WM_MOUSEMOVE, 10}, {WM_MOUSEMOVE, 12}, {WM_LBUTTONDOWN, 12}, {WM_LBUTTONUP, 12}})
        SendMessageA(exit, static_cast<UINT>(m), m == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, 10));
    wintest::Pump(20);
    if (about.IsLoaded()) about.Unload();
    return true;
}

// One tick of whichever timer is running, as the form's timers would call them.
void tick() {
    app::FrmMain& f = app::frmMain();
    if (f.Timer1.Enabled())
        f.Timer1_Timer();
    else
        f.Timer2_Timer();
    wintest::Pump(1);
}

TEST(Soak, ADayOfMonitoringLeavesNoObjectsOrMemoryBehind) {
    const bool shortForm = std::getenv("TOLLVANE_SOAK_SHORT") != nullptr;
    const int hours = shortForm ? 4 : 24;
    wintest::SetStoredDelay("1");
    wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");

    app::frmMain().Load();
    app::frmMain().Show();
    ASSERT_TRUE(app::frmMain().IsLoaded());

    int gdiAfterWarmUp = 0, windowsAfterWarmUp = 0;
    size_t memoryAfterWarmUp = 0;
    int logoffs = 0, notCleared = 0, aboutOpened = 0;
    const int cycles = hours * kTicksPerHour / kTicksPerCycle;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        wintest::SetIdentityValues("someone");
        {
            MailClient mail({cycle % 2 ? "yes" : "ok"});
            ASSERT_TRUE(mail.Ready()) << "cycle " << cycle;
            for (int i = 0; i < kTicksPerCycle; ++i) tick();
            if (mail.WaitExit(3000)) ++logoffs;
            if (!wintest::IdentityValuesCleared()) ++notCleared;
        }
        if (cycle % 4 == 0) withModalAnswered(tray::WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);  // the menu
        if (cycle % 4 == 1) withModalAnswered(WM_COMMAND, 0x2000, 0);                   // Set Delay
        if (cycle % 4 == 2) aboutOpened += useAboutBox();
        if (cycle == 3) {  // warmed up: every path has run once
            wintest::Pump(200);
            gdiAfterWarmUp = wintest::GdiObjectCount();
            windowsAfterWarmUp = wintest::WindowCount();
            memoryAfterWarmUp = residentBytes();
        }
    }
    wintest::Pump(200);
    const int gdi = wintest::GdiObjectCount();
    const int windows = wintest::WindowCount();
    const size_t memory = residentBytes();
    std::printf(
        "cycles %d, logoffs %d, About opened %d; GDI objects %d -> %d; windows %d -> %d; resident bytes %zu -> %zu\n",
        cycles, logoffs, aboutOpened, gdiAfterWarmUp, gdi, windowsAfterWarmUp, windows, memoryAfterWarmUp, memory);

    EXPECT_EQ(logoffs, cycles);
    EXPECT_EQ(notCleared, 0);
    EXPECT_GT(aboutOpened, 0);
    EXPECT_EQ(gdi, gdiAfterWarmUp);
    EXPECT_EQ(windows, windowsAfterWarmUp);
    EXPECT_LT(memory, memoryAfterWarmUp + 2 * 1024 * 1024);
    EXPECT_EQ(wintest::StoredDelay(), "1");

    app::frmMain().Unload();
    wintest::SetStoredDelay(nullptr);
    wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
}

}  // namespace
