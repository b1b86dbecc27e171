#include "app/frmMain.h"

#include <string>

#include "app/DelaySetting.h"
#include "app/IdleRules.h"
#include "app/mOEStuff.h"
#include "resource.h"
#include "services/SettingsStore.h"
#include "services/mShell.h"
#include "ui/Text.h"

namespace app {
namespace {

constexpr UINT kWatcherIntervalMs = 1;
constexpr UINT kMonitorIntervalMs = 5000;

bool outlookExpressRunning() { return FindWindowA(kMainWindowClass, nullptr) != nullptr; }

// The tray shows small icons: 16 pixels at 100 % (and on Windows XP), more at
// higher scales, where a 16-pixel picture would be stretched.
ui::Picture trayPicture(int id) { return ui::Picture::FromIconResource(id, GetSystemMetrics(SM_CXSMICON)); }

}  // namespace

FrmMain& frmMain() {
    static FrmMain form;
    return form;
}

FrmMain::FrmMain()
    : Timer2(*this, kTimer2Id, kWatcherIntervalMs, true, [this] { Timer2_Timer(); }),
      Timer1(*this, kTimer1Id, kMonitorIntervalMs, false, [this] { Timer1_Timer(); }),
      Image3(trayPicture(IDI_NOT_WATCHING)),
      Image2(trayPicture(IDI_WATCHING_ODD)),
      Image1(trayPicture(IDI_WATCHING_EVEN)),
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
    Timer2.Sync();
    Timer1.Sync();
    return true;
}

void FrmMain::OnLoad() {
    mDelayMinutes = DelayFromStoredText(
        services::GetSetting(L"Tollvane", L"Settings", L"DelayMinutes", DelayToText(kDefaultDelayMinutes)));
    services::SetStartupShortcut(true);
    MakeTray();
}

void FrmMain::OnActivate() { Hide(); }

void FrmMain::OnResize() { TrayResize(); }

void FrmMain::OnUnload() {
    IconEvent.reset();
    if (mhMenu) DestroyMenu(mhMenu);
    mhMenu = nullptr;
}

void FrmMain::SetTrayPicture(const ui::Picture& picture) {
    if (IconEvent) IconEvent->SetTrayIcon(picture);
}

void FrmMain::StopWatching() {
    SetTrayPicture(Image3);
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(true);
}

void FrmMain::Timer1_Timer() {
    if (!Timer1.Enabled()) return;
    if (!outlookExpressRunning()) {
        ClearLastIdentity();
        StopWatching();
        return;
    }
    SetTrayPicture(PictureForTicks(mIdleTicks) == WatchingPicture::Odd ? Image2 : Image1);
    mIdleTicks = NextIdleTicks(mIdleTicks, IsIdle());
    if (IsLoaded()) SetWindowTextA(hWnd(), std::to_string(mIdleTicks).c_str());
    if (DelayExpired(mIdleTicks, mDelayMinutes)) {
        ClearLastIdentity();
        CloseOutlookExpress();
        StopWatching();
    }
}

void FrmMain::Timer2_Timer() {
    if (!Timer2.Enabled()) return;
    if (outlookExpressRunning()) {
        Timer2.SetEnabled(false);
        Timer1.SetEnabled(true);
    }
}

void FrmMain::LogOffNow() {
    ClearLastIdentity();
    CloseOutlookExpress();
    StopWatching();
}

}  // namespace app
