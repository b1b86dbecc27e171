// The main form's side of the tray icon: the popup menu and the commands.
#include <string>

#include "app/DelaySetting.h"
#include "app/frmMain.h"
#include "app/mOEStuff.h"
#include "base/Text.h"
#include "forms/frmAbout.h"
#include "services/SettingsStore.h"
#include "tray/mSysTray.h"
#include "ui/InputBox.h"

namespace app {
namespace {

// Commands carry the bit that the tray's window procedure turns into MenuClick.
constexpr UINT kMenuFirstId = static_cast<UINT>(tray::kMenuCommandBit);

struct MenuEntry {
    UINT flags;
    UINT id;
    const char* text;
};
constexpr MenuEntry kMenu[] = {
    {MF_STRING, kMenuFirstId + 0, "&Set Delay"},
    {MF_STRING, kMenuFirstId + 1, "&Log Off Now"},
    {MF_STRING, kMenuFirstId + 2, "&About"},
    {MF_SEPARATOR, kMenuFirstId + 0, ""},
    {MF_STRING, kMenuFirstId + 3, "&Exit"},
};
constexpr UINT kDefaultItemPosition = 1;

}  // namespace

void FrmMain::MakeTray() {
    mhMenu = CreatePopupMenu();
    if (mhMenu) {
        for (const MenuEntry& e : kMenu) AppendMenuA(mhMenu, e.flags, e.id, e.text);
        SetMenuDefaultItem(mhMenu, kDefaultItemPosition, TRUE);
    }
    mTrayMade = true;
    mHideOnMinimize = false;
    IconEvent = std::make_unique<tray::SysTray>(hWnd(), static_cast<tray::SysTrayEvents&>(*this));
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
    LogOffNow();
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
    if (mDelayByPolicy) {
        const std::string text = "Your administrator has set the idle delay to " + std::to_string(mDelayMinutes) +
                                 (mDelayMinutes == 1 ? " minute" : " minutes") + ". It cannot be changed here.";
        MessageBoxA(hWnd(), text.c_str(), base::ToAnsi(forms::kAppTitle).c_str(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::wstring typed = ui::InputBox(hWnd(), L"Enter idle minutes before Outlook Express logoff:",
                                            L"Logoff Delay", DelayToText(mDelayMinutes));
    // The box runs its own message loop: the form may have been unloaded meanwhile,
    // and then the answer no longer matters; nor when policy fixed the delay meanwhile.
    if (!IsLoaded() || mDelayByPolicy) return;
    if (const auto minutes = DelayFromTypedText(typed)) {
        mOwnDelayMinutes = *minutes;
        mDelayMinutes = *minutes;
        services::SaveSetting(kSettingsApplication, kSettingsSection, kDelayKey, DelayToText(*minutes));
    }
}

}  // namespace app
