#include "tray/SysTray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "tray/mSysTray.h"

namespace tray {

NOTIFYICONDATAA MakeNotifyRecord(HWND hWnd, int32_t ID) {
    NOTIFYICONDATAA record;
    std::memset(&record, 0, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = hWnd;
    record.uID = static_cast<UINT>(ID);
    return record;
}

void SetRecordTip(NOTIFYICONDATAA& record, const std::string& tip) {
    constexpr size_t field = 64;  // the first record's tip field
    const size_t n = std::min(tip.size(), kMaxTipChars);
    std::memset(record.szTip, ' ', field);
    std::memcpy(record.szTip, tip.data(), n);
    record.szTip[n] = '\0';
}

SysTray::SysTray(HWND mainForm, SysTrayEvents& listener) : mhWnd(mainForm), listener_(listener) {
    SetInTray(false);
    SetTrayTip(kDefaultTip);
}

SysTray::~SysTray() {
    if (mInTray) SetInTray(false);
}

void SysTray::SetTrayIcon(const ui::Picture& Icon) {
    if (!Icon.IsPresent() || Icon.Type() != PICTYPE_ICON) return;
    if (mInTray) {
        NOTIFYICONDATAA record = MakeNotifyRecord(mhWnd, mTrayID);
        record.uFlags = NIF_ICON;
        record.hIcon = static_cast<HICON>(Icon.Handle());
        Shell_NotifyIconA(NIM_MODIFY, &record);
    }
    mIcon = Icon;
}

void SysTray::SetTrayTip(const std::string& Tip) {
    if (mInTray) {
        NOTIFYICONDATAA record = MakeNotifyRecord(mhWnd, mTrayID);
        record.uFlags = NIF_TIP;
        SetRecordTip(record, Tip);
        Shell_NotifyIconA(NIM_MODIFY, &record);
    }
    mTip = Tip;
}

void SysTray::SetInTray(bool Show) {
    if (Show == mInTray) return;
    if (Show) {
        // Subclass first, so the very first callback already reaches TrayWndProc.
        InstallTrayWndProc(mhWnd, this);
        AddTrayIcon(mhWnd, mTrayID, TrayTip(), TrayIcon());
    } else {
        // Remove first, then give the window its own procedure back.
        DeleteTrayIcon(mhWnd, mTrayID);
        UninstallTrayWndProc(mhWnd);
    }
    mInTray = Show;
}

void SysTray::Readd() {
    if (mInTray) AddTrayIcon(mhWnd, mTrayID, mTip, mIcon);
}

void SysTray::AddTrayIcon(HWND hWnd, int32_t ID, const std::string& Tip, const ui::Picture& Icon) {
    NOTIFYICONDATAA record = MakeNotifyRecord(hWnd, ID);
    if (Icon.IsPresent()) {
        record.hIcon = static_cast<HICON>(Icon.Handle());
        record.uFlags |= NIF_ICON;
        mIcon = Icon;
    }
    if (!Tip.empty()) {
        SetRecordTip(record, Tip);
        record.uFlags |= NIF_TIP;
        mTip = Tip;
    }
    record.uFlags |= NIF_MESSAGE;
    record.uCallbackMessage = WM_TRAYNOTIFY;
    Shell_NotifyIconA(NIM_ADD, &record);
}

void SysTray::DeleteTrayIcon(HWND hWnd, int32_t ID) {
    NOTIFYICONDATAA record = MakeNotifyRecord(hWnd, ID);
    Shell_NotifyIconA(NIM_DELETE, &record);
}

// The listener may release this instance from inside its handler: nothing here
// touches a member after raising an event.
void SysTray::RaiseMouseEvent(LPARAM Msg, int32_t ID) {
    int16_t button = 0;
    switch (Msg) {
        case WM_MOUSEMOVE:
            listener_.MouseMove(ID);
            return;
        case WM_LBUTTONDOWN:
            button = 1;
            listener_.MouseDown(button, ID);
            return;
        case WM_LBUTTONUP:
            button = 1;
            listener_.MouseUp(button, ID);
            return;
        case WM_LBUTTONDBLCLK:
            button = 1;
            listener_.MouseDblClick(button, ID);
            return;
        case WM_RBUTTONDOWN:
            button = 2;
            listener_.MouseDown(button, ID);
            return;
        case WM_RBUTTONUP:
            button = 2;
            listener_.MouseUp(button, ID);
            return;
        case WM_RBUTTONDBLCLK:
            button = 2;
            listener_.MouseDblClick(button, ID);
            return;
        default:
            return;
    }
}

void SysTray::RaiseMenuClick(int16_t index) { listener_.MenuClick(index); }

}  // namespace tray
