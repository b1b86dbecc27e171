// Logging the mail client's identity off: its remembered identity in the
// registry, its message windows and its main window. The mail client is
// reached only through its top-level windows and its per-user values.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "app/IdleRules.h"

namespace app {

inline constexpr char kMainWindowClass[] = "Outlook Express Browser Class";
inline constexpr char kNoteWindowClass[] = "ATH_Note";
inline constexpr char kDialogClass[] = "#32770";
// Close requests to message windows at most, and the pause between two.
inline constexpr int kMaxCloseRequests = 101;
inline constexpr DWORD kClosePauseMs = 250;

// True when the cursor has not moved since the previous call, the system saw no
// input since then, and no key or mouse button is down or was pressed since the
// previous query.
bool IsIdle();

// How long ago the system saw its last input of any kind, where it can tell.
std::optional<uint32_t> LastInputAgeMs();

// The clock that idle time is kept on: the system's millisecond count since it
// started, which includes the time it spends in standby or hibernation and which
// neither a person nor the time service can set. The 64-bit count where Windows
// has it (Vista and later), the 32-bit one, unwrapped, on XP.
class IdleClock {
public:
    IdleClock();
    int64_t Now();

private:
    using TickCount64 = ULONGLONG(WINAPI*)();
    TickCount64 tickCount64_;
    UnwrappedTicks unwrapped_;
};

// Overwrites "Last UserName", "Last User ID", "Default User ID" and "Start As"
// under HKEY_CURRENT_USER\Identities with type 9 and no data. A missing key is
// left missing.
void ClearLastIdentity();

// Closes every message window, answering the mail client's confirmation
// dialogs, then asks the main window to close. Blocks for up to about 25 s.
void CloseOutlookExpress();

// Presses "&Yes", or else "OK", or else the button that stands for Yes or else
// OK in a message box of any language, in the first visible dialog that a message
// window of the mail client owns (directly, or through a window of its own),
// in the mail client's own process. Any other dialog is left alone: one the
// person left open in the main window (say, "permanently delete these
// messages?"), a hidden one, one with no owner, another program's.
void ClickDialogButton();

}  // namespace app
