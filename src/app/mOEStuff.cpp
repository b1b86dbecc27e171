#include "app/mOEStuff.h"

#include <string>

#include "app/IdleRules.h"
#include "services/mRegistry.h"

namespace app {
namespace {

// The cursor position seen by the previous IsIdle call.
CursorMemory LastCursor;

DWORD processOf(HWND hwnd) {
    DWORD pid = 0;
    if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

HWND firstDialogOf(DWORD a, DWORD b) {
    if (a == 0 && b == 0) return nullptr;
    HWND dialog = nullptr;
    while ((dialog = FindWindowExA(nullptr, dialog, kDialogClass, nullptr)) != nullptr) {
        const DWORD pid = processOf(dialog);
        if (pid != 0 && (pid == a || pid == b)) return dialog;
    }
    return nullptr;
}

void postClose(HWND hwnd) { PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace

bool IsIdle() {
    POINT p{0, 0};
    if (!GetCursorPos(&p)) p = POINT{0, 0};
    return IsIdleWith(LastCursor, p.x, p.y, [](int code) { return GetAsyncKeyState(code); });
}

void ClearLastIdentity() {
    static const wchar_t* const names[] = {L"Last UserName", L"Last User ID", L"Default User ID", L"Start As"};
    for (const wchar_t* name : names) {
        std::wstring key = L"Identities";
        services::SetKeyValue(HKEY_CURRENT_USER, key, name, L"", REG_FULL_RESOURCE_DESCRIPTOR);
    }
}

void ClickDialogButton(DWORD mailProcess, DWORD otherMailProcess) {
    HWND dialog = firstDialogOf(mailProcess, otherMailProcess);
    if (!dialog) return;
    HWND button = FindWindowExA(dialog, nullptr, "Button", "&Yes");
    if (!button) button = FindWindowExA(dialog, nullptr, "Button", "OK");
    if (!button) return;
    PostMessageA(button, BM_CLICK, 0, 0);
}

void CloseOutlookExpress() {
    HWND note = FindWindowA(kNoteWindowClass, nullptr);
    int requests = 0;
    while (note) {
        postClose(note);
        ClickDialogButton(processOf(note), processOf(FindWindowA(kMainWindowClass, nullptr)));
        note = FindWindowA(kNoteWindowClass, nullptr);
        if (++requests >= kMaxCloseRequests) break;
        Sleep(kClosePauseMs);
    }
    HWND main = FindWindowA(kMainWindowClass, nullptr);
    SetActiveWindow(main);
    postClose(main);
}

}  // namespace app
