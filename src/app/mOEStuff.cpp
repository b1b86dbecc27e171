#include "app/mOEStuff.h"

#include <string>

#include "app/IdleRules.h"
#include "base/SystemFunction.h"
#include "services/mRegistry.h"

namespace app {
namespace {

// The cursor position and the last-input time seen by the previous IsIdle call.
ActivityMemory LastActivity;

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

LONG ClearLastIdentity() {
    // The writer says nothing of a key it could not open: a missing key is no
    // failure, one that refuses to be written is.
    HKEY raw = nullptr;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, L"Identities", 0, KEY_SET_VALUE, &raw);
    if (opened == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (opened != ERROR_SUCCESS) return opened;
    RegCloseKey(raw);
    static const wchar_t* const names[] = {L"Last UserName", L"Last User ID", L"Default User ID", L"Start As"};
    LONG failed = ERROR_SUCCESS;
    for (const wchar_t* name : names) {
        std::wstring key = L"Identities";
        const LONG written = services::SetKeyValue(HKEY_CURRENT_USER, key, name, {}, REG_FULL_RESOURCE_DESCRIPTOR);
        if (failed == ERROR_SUCCESS) failed = written;
    }
    return failed;
}

}  // namespace app
