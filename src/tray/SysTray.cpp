#include "tray/SysTray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "tray/mSysTray.h"

namespace tray {

// The shell of Windows 95 to XP reads the first record by its size: 88 bytes in a
// 32-bit program.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "the first tray-icon record is 88 bytes");

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

SysTray::SysTray(ui::Window& mainForm, SysTrayEvents& listener, ShellNotify notify)
    : mhWnd(mainForm.hWnd()),
      listener_(listener),
      notify_(notify),
      addRetry_(mainForm, kAddRetryTimer, kAddRetryMs, false, [this] { RetryAdd(); }) {
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
        notify_(NIM_MODIFY, &record);
    }
    mIcon = Icon;
}

void SysTray::SetTrayTip(const std::string& Tip) {
    if (mInTray) {
        NOTIFYICONDATAA record = MakeNotifyRecord(mhWnd, mTrayID);
        record.uFlags = NIF_TIP;
        SetRecordTip(record, Tip);
        notify_(NIM_MODIFY, &record);
    }
    mTip = Tip;
}

void SysTray::SetInTray(bool Show) {
    if (Show == mInTray) return;
    if (Show) {
        // Subclass first, so the very first callback already reaches TrayWndProc.
        InstallTrayWndProc(mhWnd, this);
        if (!AddTrayIcon(mhWnd, mTrayID, TrayTip(), TrayIcon())) StartRetrying();
    } else {
        // Remove first, then give the window its own procedure back.
        StopRetrying();
        DeleteTrayIcon(mhWnd, mTrayID);
        UninstallTrayWndProc(mhWnd);
    }
    mInTray = Show;
}

void SysTray::Readd() {
    if (mInTray && !AddTrayIcon(mhWnd, mTrayID, mTip, mIcon)) StartRetrying();
}

bool SysTray::AddTrayIcon(HWND hWnd, int32_t ID, const std::string& Tip, const ui::Picture& Icon) {
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
    // An add that timed out may still have reached the shell: then the icon
    // answers a modify, and is there.
    return notify_(NIM_ADD, &record) || (addRetriesLeft_ > 0 && notify_(NIM_MODIFY, &record));
}

void SysTray::StartRetrying() {
    addRetriesLeft_ = kAddRetries;
    addRetry_.SetEnabled(true);
}

void SysTray::RetryAdd() {
    if (addRetriesLeft_ == 0) return;
    if (!mInTray || AddTrayIcon(mhWnd, mTrayID, mTip, mIcon)) return StopRetrying();
    if (--addRetriesLeft_ > 0) return;
    StopRetrying();
    // Last: the listener may release this instance.
    listener_.IconNotAdded();
}

void SysTray::StopRetrying() {
    addRetry_.SetEnabled(false);
    addRetriesLeft_ = 0;
}

void SysTray::DeleteTrayIcon(HWND hWnd, int32_t ID) {
    NOTIFYICONDATAA record = MakeNotifyRecord(hWnd, ID);
    notify_(NIM_DELETE, &record);
}

// The listener may release this instance from inside its handler: nothing here
// touches a member after raising an event.
void SysTray::RaiseMouseEvent(LPARAM Msg, int32_t ID) {
    using Event = void (SysTrayEvents::*)(int16_t&, int32_t&);
    struct ButtonMessage {
        LPARAM message;
        int16_t button;  // 1 left, 2 right
        Event event;
    };
    static constexpr ButtonMessage kButtonMessages[] = {
        {WM_LBUTTONDOWN, 1, &SysTrayEvents::MouseDown},       {WM_LBUTTONUP, 1, &SysTrayEvents::MouseUp},
        {WM_LBUTTONDBLCLK, 1, &SysTrayEvents::MouseDblClick}, {WM_RBUTTONDOWN, 2, &SysTrayEvents::MouseDown},
        {WM_RBUTTONUP, 2, &SysTrayEvents::MouseUp},           {WM_RBUTTONDBLCLK, 2, &SysTrayEvents::MouseDblClick},
    };
    if (Msg == WM_MOUSEMOVE) return listener_.MouseMove(ID);
    for (const ButtonMessage& m : kButtonMessages) {
        if (m.message != Msg) continue;
        int16_t button = m.button;
        return (listener_.*m.event)(button, ID);
    }
}

void SysTray::RaiseMenuClick(int16_t index) { listener_.MenuClick(index); }

}  // namespace tray
