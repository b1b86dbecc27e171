// The main form's side of the tray icon: the popup menu and the commands.
#include <string>

#include "app/DelaySetting.h"
#include "app/frmMain.h"
#include "app/mOEStuff.h"
#include "base/Text.h"
#include "forms/frmAbout.h"
#include "resource.h"
#include "tray/mSysTray.h"
#include "ui/InputBox.h"
#include "ui/Language.h"

namespace app {
namespace {

// Commands carry the bit that the tray's window procedure turns into MenuClick.
constexpr UINT kMenuFirstId = static_cast<UINT>(tray::kMenuCommandBit);

struct MenuEntry {
    UINT flags;
    UINT id;
    UINT text;  // the string resource; 0 for none
};
// One item a line, as the menu shows them.
// clang-format off
constexpr MenuEntry kMenu[] = {
    {MF_STRING, kMenuFirstId + 0, IDS_MENU_SET_DELAY},
    {MF_STRING, kMenuFirstId + 1, IDS_MENU_LOG_OFF_NOW},
    {MF_STRING, kMenuFirstId + 2, IDS_MENU_ABOUT},
    {MF_SEPARATOR, kMenuFirstId + 0, 0},
    {MF_STRING, kMenuFirstId + 3, IDS_MENU_EXIT},
};
// clang-format on
constexpr UINT kDefaultItemPosition = 1;

}  // namespace

void FrmMain::MakeTray() {
    mhMenu = CreatePopupMenu();
    if (mhMenu) {
        // Wide, so that the words of any language show whatever the ANSI code page.
        for (const MenuEntry& e : kMenu) AppendMenuW(mhMenu, e.flags, e.id, e.text ? ui::Text(e.text).c_str() : L"");
        SetMenuDefaultItem(mhMenu, kDefaultItemPosition, TRUE);
    }
    mTrayMade = true;
    mHideOnMinimize = false;
    IconEvent = std::make_unique<tray::SysTray>(*this, static_cast<tray::SysTrayEvents&>(*this));
    IconEvent->SetTrayTip(ui::AnsiText(IDS_TRAY_TIP));
    IconEvent->SetTrayIcon(Image3);
    IconEvent->SetFormhWnd(static_cast<int32_t>(reinterpret_cast<INT_PTR>(hWnd())));
    IconEvent->SetInTray(true);
}

void FrmMain::TrayResize() {
    if (!mTrayMade || !IsLoaded()) return;
    if (IsIconic(hWnd()) && mHideOnMinimize) {
        Hide();
        mHideOnMinimize = false;
    } else {
        if (IsIconic(hWnd())) ShowWindow(hWnd(), SW_RESTORE);
        mHideOnMinimize = true;
    }
}

void FrmMain::MouseDown(int16_t& Button, int32_t& ID) {
    (void)ID;
    if (Button != 2 || !IsLoaded()) return;
    POINT p{0, 0};
    GetCursorPos(&p);
    HWND self = hWnd();
    SetForegroundWindow(self);
    TrackPopupMenu(mhMenu, TPM_CENTERALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, self, nullptr);
    PostMessageA(self, WM_NULL, 0, 0);
}

void FrmMain::MouseDblClick(int16_t& Button, int32_t& ID) {
    (void)Button, (void)ID;
    LogOffNow(LogoffReason::DoubleClick);
}

void FrmMain::MenuClick(int16_t& index) {
    switch (index) {
        case 0:
            SetDelayFromInputBox();
            break;
        case 1:
            LogOffNow();
            break;
        case 2:
            forms::ShowAboutBox(Icon);
            break;
        case 3:
            Unload();
            break;
        default:
            break;
    }
}

void FrmMain::SetDelayFromInputBox() {
    const int32_t delay = settings_.InForce().delayMinutes;
    if (settings_.DelayByPolicy()) {
        const std::wstring text =
            ui::Text(delay == 1 ? IDS_POLICY_DELAY_ONE : IDS_POLICY_DELAY_MANY, std::to_wstring(delay));
        MessageBoxW(hWnd(), text.c_str(), forms::kAppTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::wstring typed =
        ui::InputBox(hWnd(), ui::Text(IDS_DELAY_PROMPT), ui::Text(IDS_DELAY_TITLE), DelayToText(delay));
    // The box runs its own message loop: the form may have been unloaded meanwhile,
    // and then the answer no longer matters; nor when policy fixed the delay meanwhile.
    if (!IsLoaded()) return;
    const auto minutes = DelayFromTypedText(typed);
    if (minutes && settings_.SetOwnDelay(*minutes)) ApplySettings();
}

}  // namespace app
