#include "app/frmMain.h"

#include <commctrl.h>

#include <string>

#include "app/mOEStuff.h"
#include "base/CallbackBoundary.h"
#include "events.h"
#include "resource.h"
#include "services/EventLog.h"
#include "services/mShell.h"
#include "ui/CommonControls.h"
#include "ui/Language.h"

namespace app {
namespace {

// The watcher learns of the mail client's main window from the system the
// moment it is created or shown; this poll is only a safety net, for a window
// whose event never came (say, a hook the system refused).
constexpr UINT kWatcherIntervalMs = 2000;
constexpr UINT kMonitorIntervalMs = 5000;
// Posted to the form once its icon is up: what need not come before the icon.
constexpr UINT kAfterTheIcon = WM_APP + 1;

// The tray shows small icons: 16 pixels at 100 % (and on Windows XP), more at
// higher scales, where a 16-pixel picture would be stretched.
ui::Picture trayPicture(int id) { return ui::Picture::FromIconResource(id, GetSystemMetrics(SM_CXSMICON)); }

bool isMailClientMainWindow(HWND hwnd) {
    char name[64] = {};
    return GetClassNameA(hwnd, name, sizeof name) > 0 && lstrcmpA(name, kMainWindowClass) == 0 &&
           GetAncestor(hwnd, GA_PARENT) == GetDesktopWindow();
}

// Out of context: the system posts each event to this thread, and no code of
// ours runs in the mail client's process.
void CALLBACK windowEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
    // The range asked for holds a window's destruction too, between its creation and its showing.
    if (event == EVENT_OBJECT_DESTROY || idObject != OBJID_WINDOW || idChild != CHILDID_SELF || !hwnd) return;
    base::CallbackBoundary([hwnd] { frmMain().WindowAppeared(hwnd); });
}

// The return from standby or hibernation: the automatic one always comes, the
// others when a person woke the computer or after a sleep forced by a flat battery.
bool isResume(WPARAM event) {
    return event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND || event == PBT_APMRESUMECRITICAL;
}

void report(DWORD id, std::vector<std::wstring> inserts) { services::ProgramEventLog().Report(id, std::move(inserts)); }

std::wstring number(int64_t n) { return std::to_wstring(n); }

std::wstring hresultText(HRESULT hr) {
    wchar_t text[16] = {};
    wsprintfW(text, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

void reportStart(const Settings& settings) {
    const DWORD id = settings.DelayByPolicy()
                         ? (settings.WarningByPolicy() ? MSG_STARTED_BOTH_BY_POLICY : MSG_STARTED_DELAY_BY_POLICY)
                         : (settings.WarningByPolicy() ? MSG_STARTED_WARNING_BY_POLICY : MSG_STARTED);
    const std::wstring version =
        number(TOLLVANE_VERSION_MAJOR) + L"." + number(TOLLVANE_VERSION_MINOR) + L"." + number(TOLLVANE_VERSION_PATCH);
    report(id, {version, number(settings.InForce().delayMinutes), number(settings.InForce().warningSeconds)});
}

}  // namespace

FrmMain& frmMain() {
    static FrmMain form;
    return form;
}

FrmMain::FrmMain()
    : Timer2(*this, kTimer2Id, kWatcherIntervalMs, true, [this] { Timer2_Timer(); }),
      Timer1(*this, kTimer1Id, kMonitorIntervalMs, false, [this] { Timer1_Timer(); }),
      Image3(trayPicture(IDI_NOT_WATCHING)),
      Icon(ui::Picture::FromIconResource(IDI_APP, GetSystemMetrics(SM_CXICON))) {}

FrmMain::~FrmMain() = default;

bool FrmMain::CreateFormWindow() {
    ui::Window::ClassInfo cls{kMainFormClass};
    cls.icon = static_cast<HICON>(Icon.Handle());
    ui::Window::CreateInfo info;
    // A tool window off the screen: the one Show at start-up flashes nothing and
    // puts no button on the taskbar.
    info.style = WS_POPUP;
    info.exStyle = WS_EX_TOOLWINDOW;
    info.title = "Tollvane";
    info.x = -32000;
    info.y = -32000;
    info.width = 1;
    info.height = 1;
    if (!Create(cls, info)) return false;
    mWindowEvents.reset(SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, &windowEvent, 0, 0,
                                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    if (!mWindowEvents) report(MSG_HOOK_REFUSED, {number(GetLastError()), number(kWatcherIntervalMs / 1000)});
    return true;
}

void FrmMain::OnLoad() {
    settings_.Load();
    ApplySettings();
    MakeTray();
    PostMessageA(hWnd(), kAfterTheIcon, 0, 0);
}

void FrmMain::ApplySettings() { monitor_.SetSettings(settings_.InForce()); }

// Windows announces changed policy with this text; policy is read again then.
// It announces the return from a sleep too: the logoff, if due, comes before
// anything the waking input could do.
LRESULT FrmMain::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kAfterTheIcon) {
        // The start's event (its thread starts with it), a mail client that
        // runs already found at once, not at the slow poll's first tick, the
        // common controls for the boxes the menu opens, the Startup shortcut for
        // the next logon: none of them is needed for the splash or the icon.
        reportStart(settings_);
        Timer2_Timer();
        ui::UseCommonControls(ICC_STANDARD_CLASSES);
        if (const HRESULT written = services::SetStartupShortcut(true); FAILED(written))
            report(MSG_SHORTCUT_FAILED, {services::StartupShortcutPath(), hresultText(written)});
        return 0;
    }
    if (msg == WM_POWERBROADCAST) {
        if (isResume(wParam) && Timer1.Enabled()) monitor_.Resumed();
        return TRUE;
    }
    if (msg == WM_SETTINGCHANGE && lParam && lstrcmpiA(reinterpret_cast<const char*>(lParam), "Policy") == 0) {
        const MonitorSettings before = settings_.InForce();
        settings_.ApplyPolicy();
        ApplySettings();
        // Group Policy announces every refresh; only a change is worth a line in the log.
        const MonitorSettings& after = settings_.InForce();
        if (after.delayMinutes != before.delayMinutes || after.warningSeconds != before.warningSeconds)
            report(MSG_POLICY_CHANGED, {number(before.delayMinutes), number(after.delayMinutes),
                                        number(before.warningSeconds), number(after.warningSeconds)});
    }
    return ui::Form::OnMessage(msg, wParam, lParam);
}

void FrmMain::OnActivate() { Hide(); }

void FrmMain::OnResize() { TrayResize(); }

void FrmMain::OnUnload() {
    closer_.Stop();
    mWindowEvents.reset();
    Warning.Close();
    IconEvent.reset();
    if (mhMenu) DestroyMenu(mhMenu);
    mhMenu = nullptr;
}

void FrmMain::Timer1_Timer() {
    if (Timer1.Enabled()) monitor_.MonitorTick();
}

void FrmMain::Timer2_Timer() {
    if (Timer2.Enabled()) monitor_.WatcherTick();
}

void FrmMain::WindowAppeared(HWND hwnd) {
    if (isMailClientMainWindow(hwnd)) Timer2_Timer();
}

void FrmMain::LogOffNow(LogoffReason why) { monitor_.LogOff(why); }

void FrmMain::LoggingOff(LogoffReason why, int32_t idleMinutes) {
    // A logoff asked for while one runs starts no other: the running one keeps its reason.
    if (closer_.Running()) return;
    logoffWhy_ = why;
    logoffIdleMinutes_ = idleMinutes;
}

void FrmMain::LogoffEnded(const ClosingResult& closing) {
    std::vector<std::wstring> inserts{number(closing.closed), number(closing.answered), number(closing.notClosed),
                                      number(closing.held)};
    DWORD id = logoffWhy_ == LogoffReason::DoubleClick ? MSG_LOGOFF_DOUBLE_CLICK : MSG_LOGOFF_NOW;
    if (logoffWhy_ == LogoffReason::Idle || logoffWhy_ == LogoffReason::Resume) {
        id = logoffWhy_ == LogoffReason::Idle ? MSG_LOGOFF_IDLE : MSG_LOGOFF_RESUME;
        inserts.insert(inserts.begin(), number(logoffIdleMinutes_));
    }
    report(id, std::move(inserts));
}

void FrmMain::IconNotAdded() { report(MSG_TRAY_ICON_FAILED, {number(tray::kAddRetries * tray::kAddRetryMs / 60000)}); }

// A client being closed counts as leaving: the watcher waits for the closing to
// end, so that no second logoff starts on top of it.
bool FrmMain::MailClientRunning() { return !closer_.Running() && FindWindowA(kMainWindowClass, nullptr) != nullptr; }
bool FrmMain::IsIdle() { return app::IsIdle(); }
int64_t FrmMain::Now() { return clock_.Now(); }
std::optional<uint32_t> FrmMain::InputAgeMs() { return LastInputAgeMs(); }
void FrmMain::ClearLastIdentity() {
    const LONG failed = app::ClearLastIdentity();
    if (failed != ERROR_SUCCESS && !identityFailureReported_)
        report(MSG_IDENTITY_NOT_CLEARED, {L"HKEY_CURRENT_USER\\Identities", number(failed)});
    identityFailureReported_ = failed != ERROR_SUCCESS;
}
void FrmMain::CloseOutlookExpress() { closer_.Start(); }

void FrmMain::ShowPicture(TrayPicture picture) {
    if (!IconEvent) return;
    // The watching pictures load when first shown, so the icon need not wait for them.
    if (picture != TrayPicture::NotWatching && !Image1.IsPresent()) {
        Image2 = trayPicture(IDI_WATCHING_ODD);
        Image1 = trayPicture(IDI_WATCHING_EVEN);
    }
    IconEvent->SetTrayIcon(picture == TrayPicture::NotWatching   ? Image3
                           : picture == TrayPicture::WatchingOdd ? Image2
                                                                 : Image1);
}

// The form is never on screen: the count shows only to tools that read titles.
void FrmMain::ShowCount(int32_t idleTicks) {
    if (IsLoaded()) SetWindowTextA(hWnd(), std::to_string(idleTicks).c_str());
}

void FrmMain::ShowWarning(int64_t secondsLeft) { Warning.Show(ui::Text(IDS_WARNING, std::to_wstring(secondsLeft))); }

void FrmMain::EndWarning() { Warning.Hide(); }

// Exactly one of the two timers runs: the one that stops goes first.
void FrmMain::Watch(bool on) {
    ui::Timer& stopping = on ? Timer2 : Timer1;
    ui::Timer& starting = on ? Timer1 : Timer2;
    stopping.SetEnabled(false);
    starting.SetEnabled(true);
}

}  // namespace app
