// The program's icon in the notification area: its picture and tip kept
// current, and what the person does with it turned into events.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "ui/Picture.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace tray {

// The shell's callback message for the icon (WM_USER + 101).
inline constexpr UINT WM_TRAYNOTIFY = WM_USER + 101;
inline constexpr char kDefaultTip[] = "double-click to log off now";
// The tip field holds 63 characters and its NUL.
inline constexpr size_t kMaxTipChars = 63;
// At logon the shell may not take the icon yet: a refused add is tried again
// every second, for five minutes at most, on this timer of the main form.
inline constexpr UINT_PTR kAddRetryTimer = 0x7A1;
inline constexpr UINT kAddRetryMs = 1000;
inline constexpr int kAddRetries = 300;

// How the class reaches the shell: Shell_NotifyIconA, or a stand-in in tests.
using ShellNotify = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);

// The one listener. Events are raised synchronously, arguments by reference.
class SysTrayEvents {
public:
    virtual void MouseMove(int32_t& ID) { (void)ID; }
    virtual void MouseDown(int16_t& Button, int32_t& ID) { (void)Button, (void)ID; }
    virtual void MouseUp(int16_t& Button, int32_t& ID) { (void)Button, (void)ID; }
    virtual void MouseDblClick(int16_t& Button, int32_t& ID) { (void)Button, (void)ID; }
    virtual void MenuClick(int16_t& index) { (void)index; }
    // The shell refused the icon for the whole time it was offered (kAddRetries s).
    virtual void IconNotAdded() {}

protected:
    ~SysTrayEvents() = default;
};

class SysTray {
public:
    // mainForm, created already, owns the icon and receives its messages.
    SysTray(ui::Window& mainForm, SysTrayEvents& listener, ShellNotify notify = &Shell_NotifyIconA);
    // Takes the icon out of the tray and gives the window its procedure back.
    ~SysTray();
    SysTray(const SysTray&) = delete;
    SysTray& operator=(const SysTray&) = delete;

    // Ignores a picture that is absent, empty or not an icon.
    void SetTrayIcon(const ui::Picture& Icon);
    const ui::Picture& TrayIcon() const noexcept { return mIcon; }
    void SetFormhWnd(int32_t hWnd) noexcept { mFormhWnd = hWnd; }
    int32_t FormhWnd() const noexcept { return mFormhWnd; }
    void SetTrayTip(const std::string& Tip);
    std::string TrayTip() const { return mTip; }
    void SetInTray(bool Show);
    bool InTray() const noexcept { return mInTray; }

    // Adds the icon again with its current picture and tip, for a shell whose
    // taskbar was re-created; does nothing while the icon is out of the tray.
    void Readd();

    // For TrayWndProc only.
    void RaiseMouseEvent(LPARAM Msg, int32_t ID);
    void RaiseMenuClick(int16_t index);

private:
    // True when the icon is in the tray afterwards.
    bool AddTrayIcon(HWND hWnd, int32_t ID, const std::string& Tip, const ui::Picture& Icon);
    void StartRetrying();
    void RetryAdd();
    void StopRetrying();
    void DeleteTrayIcon(HWND hWnd, int32_t ID);

    bool mInTray = false;
    int32_t mTrayID = 0;
    std::string mTip;
    HWND mhWnd = nullptr;
    ui::Picture mIcon;
    int32_t mFormhWnd = 0;
    SysTrayEvents& listener_;
    ShellNotify notify_;
    int addRetriesLeft_ = 0;  // while an add waits for the shell
    ui::Timer addRetry_;
};

// The notification record for one call: zeroed, of the platform's size for the
// first version of the record (88 bytes in 32-bit builds), the tip cut to 63
// characters and padded with blanks after its NUL.
NOTIFYICONDATAA MakeNotifyRecord(HWND hWnd, int32_t ID);
void SetRecordTip(NOTIFYICONDATAA& record, const std::string& tip);

}  // namespace tray
