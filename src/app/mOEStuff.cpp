#include "app/mOEStuff.h"

#include <string>

#include "app/IdleRules.h"
#include "base/SystemFunction.h"
#include "services/mRegistry.h"

namespace app {
namespace {

// The cursor position and the last-input time seen by the previous IsIdle call.
ActivityMemory LastActivity;

DWORD processOf(HWND hwnd) {
    DWORD pid = 0;
    if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

bool hasClass(HWND hwnd, const char* name) {
    char found[32] = {};
    return hwnd && GetClassNameA(hwnd, found, sizeof found) > 0 && lstrcmpA(found, name) == 0;
}

// A message window's own confirmation: shown, and owned by an "ATH_Note" window
// (or by a window inside one) of the dialog's own process.
bool isMessageWindowDialog(HWND dialog) {
    if (!IsWindowVisible(dialog)) return false;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner) return false;
    if (!hasClass(owner, kNoteWindowClass)) owner = GetAncestor(owner, GA_ROOT);
    return hasClass(owner, kNoteWindowClass) && processOf(owner) == processOf(dialog);
}

HWND buttonWithId(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return hasClass(control, "Button") ? control : nullptr;
}

void postClose(HWND hwnd) { PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace

bool IsIdle() {
    POINT p{0, 0};
    if (!GetCursorPos(&p)) p = POINT{0, 0};
    LASTINPUTINFO input{sizeof input, 0};
    std::optional<uint32_t> inputTime;
    if (GetLastInputInfo(&input)) inputTime = input.dwTime;
    return IsIdleWith(LastActivity, p.x, p.y, inputTime, [](int code) { return GetAsyncKeyState(code); });
}

std::optional<uint32_t> LastInputAgeMs() {
    LASTINPUTINFO input{sizeof input, 0};
    if (!GetLastInputInfo(&input)) return std::nullopt;
    // Both on the system's 32-bit count: the difference is right across its wrap.
    return GetTickCount() - input.dwTime;
}

IdleClock::IdleClock() : tickCount64_(base::SystemFunction<TickCount64>("kernel32.dll", "GetTickCount64")) {}

int64_t IdleClock::Now() { return tickCount64_ ? static_cast<int64_t>(tickCount64_()) : unwrapped_(GetTickCount()); }

void ClearLastIdentity() {
    static const wchar_t* const names[] = {L"Last UserName", L"Last User ID", L"Default User ID", L"Start As"};
    for (const wchar_t* name : names) {
        std::wstring key = L"Identities";
        services::SetKeyValue(HKEY_CURRENT_USER, key, name, {}, REG_FULL_RESOURCE_DESCRIPTOR);
    }
}

void ClickDialogButton() {
    HWND dialog = nullptr;
    while ((dialog = FindWindowExA(nullptr, dialog, kDialogClass, nullptr)) != nullptr)
        if (isMessageWindowDialog(dialog)) break;
    if (!dialog) return;
    HWND button = FindWindowExA(dialog, nullptr, "Button", "&Yes");
    if (!button) button = FindWindowExA(dialog, nullptr, "Button", "OK");
    // On a Windows in another language the captions are the system's own words
    // ("&Ja", "はい(&Y)"), but a message box gives its buttons the same command
    // identifiers in every language.
    if (!button) button = buttonWithId(dialog, IDYES);
    if (!button) button = buttonWithId(dialog, IDOK);
    if (!button) return;
    // What a click on the button sends its dialog. A BM_CLICK may do nothing in a
    // dialog that is not active, and a logoff comes when nobody is there to
    // activate anything.
    const int id = GetDlgCtrlID(button);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void CloseOutlookExpress() {
    HWND note = FindWindowA(kNoteWindowClass, nullptr);
    int requests = 0;
    while (note) {
        postClose(note);
        ClickDialogButton();
        note = FindWindowA(kNoteWindowClass, nullptr);
        if (++requests >= kMaxCloseRequests) break;
        Sleep(kClosePauseMs);
    }
    // With no main window there is nobody to ask: a null window would take the
    // activation from our own windows, and a message posted to it would land in
    // our own queue.
    HWND main = FindWindowA(kMainWindowClass, nullptr);
    if (!main) return;
    SetActiveWindow(main);
    postClose(main);
}

}  // namespace app
