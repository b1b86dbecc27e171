#include "tray/mSysTray.h"

#include "base/CallbackBoundary.h"
#include "base/SystemFunction.h"
#include "tray/SysTray.h"

namespace tray {
namespace {

// One set for the program: only one instance can be in the tray at a time.
WNDPROC PrevWndProc = nullptr;
SysTray* TrayObjPtr = nullptr;  // not owned: releasing the instance is its owner's business

// From Windows Vista on, a program started as administrator receives no
// registered message from the normal-rights shell unless it lets that message
// through; without "TaskbarCreated" its icon would be lost at the shell's next
// start. Windows XP has no such filter, nor the function.
UINT allowedFromOtherPrograms(UINT message) {
    using ChangeFilter = BOOL(WINAPI*)(UINT, DWORD);
    constexpr DWORD kAdd = 1;  // MSGFLT_ADD
    if (const auto change = base::SystemFunction<ChangeFilter>("user32.dll", "ChangeWindowMessageFilter"))
        change(message, kAdd);
    return message;
}

void raise(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_COMMAND && HiWord(static_cast<int32_t>(wParam)) == 0) {
        if ((wParam & kMenuCommandBit) != 0 && TrayObjPtr) TrayObjPtr->RaiseMenuClick(static_cast<int16_t>(wParam & 3));
    } else if (uMsg == WM_TRAYNOTIFY) {
        if (TrayObjPtr) TrayObjPtr->RaiseMouseEvent(lParam, static_cast<int32_t>(wParam));
    } else if (uMsg == TaskbarCreatedMessage()) {
        if (TrayObjPtr) TrayObjPtr->Readd();
    }
}

}  // namespace

int16_t HiWord(int32_t Value) { return static_cast<int16_t>(static_cast<uint32_t>(Value) >> 16); }

UINT TaskbarCreatedMessage() {
    static const UINT message = allowedFromOtherPrograms(RegisterWindowMessageA("TaskbarCreated"));
    return message;
}

void InstallTrayWndProc(HWND hWnd, SysTray* instance) {
    TaskbarCreatedMessage();
    PrevWndProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWndProc)));
    TrayObjPtr = instance;
}

void UninstallTrayWndProc(HWND hWnd) {
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
    // The instance is about to go: a message still on its way must not reach it.
    TrayObjPtr = nullptr;
}

LRESULT CALLBACK TrayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept {
    // Read before raising anything: a handler may release the instance and, with it,
    // uninstall this procedure; the message still goes on to the procedure it was meant for.
    const WNDPROC previous = PrevWndProc;
    // A handler that throws loses its event only (see base/CallbackBoundary.h).
    base::CallbackBoundary([&] { raise(uMsg, wParam, lParam); });
    return CallWindowProcA(previous, hWnd, uMsg, wParam, lParam);
}

}  // namespace tray
