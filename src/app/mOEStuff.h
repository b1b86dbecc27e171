// Logging the mail client's identity off: its remembered identity in the
// registry, its message windows and its main window. The mail client is
// reached only through its top-level windows and its per-user values.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "app/IdleRules.h"
#include "ui/Timer.h"

namespace app {

inline constexpr char kMainWindowClass[] = "Outlook Express Browser Class";
inline constexpr char kNoteWindowClass[] = "ATH_Note";
inline constexpr char kDialogClass[] = "#32770";
// Close requests to each message window at most, and the pause between two.
inline constexpr int kMaxCloseRequests = 101;
inline constexpr UINT kClosePauseMs = 250;
// Requests in a row to one message window, at most, before the next one's turn:
// 3 s, time for a slow PC to bring the window's confirmation up.
inline constexpr int kTurnRequests = 12;
// The form's timer that paces them.
inline constexpr UINT_PTR kCloseTimerId = 3;

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
// left missing. Returns the registry's error where the values could not be
// written (the key refuses it), ERROR_SUCCESS otherwise.
LONG ClearLastIdentity();

// What a logoff's closing came to.
struct ClosingResult {
    int closed = 0;     // message windows asked that went
    int answered = 0;   // confirmations pressed
    int notClosed = 0;  // message windows asked that are still there
    int held = 0;       // message windows left alone: the person's own dialog was up in them
};

// Closes the mail client's message windows, answering the confirmations its
// own close requests raise, then asks its main window to close: one request a
// step, a step every kClosePauseMs on the form's timer, so that the program
// goes on answering while it runs. Only the windows of the process that owns
// the mail client's main window are touched, and of those only what the logoff
// itself raised: a message window that already held a dialog when the logoff
// began (the person's own "delete this message?") is left as it is.
class OutlookExpressCloser {
public:
    // ended hears how each closing came out, once it is over: at its finish, at
    // once with no main window to ask, or when stopped.
    explicit OutlookExpressCloser(ui::Window& form, std::function<void(const ClosingResult&)> ended = {});
    // Starts a logoff's closing; nothing while one runs.
    void Start();
    // Ends it where it stands (the program is exiting).
    void Stop();
    bool Running() const noexcept { return timer_.Enabled(); }

    // Presses "&Yes", or else "OK", or else the button that stands for Yes or
    // else OK in a message box of any language, in every visible dialog that
    // came up since the start and that a message window already asked owns
    // (directly, or through a window of its own). Any other dialog is left
    // alone: one from before, one the main window owns, a hidden one, another
    // program's.
    void ClickDialogButton();

private:
    // One close request to the message window asked least so far, then the
    // dialogs; the main window once none is left to ask.
    void step();
    void finish();
    void reset();
    ClosingResult result() const;
    std::vector<HWND> messageWindows() const;  // the client's, still to be asked
    HWND nextWindow(const std::vector<HWND>& windows) const;
    bool refusesToClose(HWND window) const;
    int requestsTo(HWND window) const;
    bool raisedByUs(HWND dialog) const;

    ui::Timer timer_;
    HWND main_ = nullptr;
    DWORD process_ = 0;
    std::vector<HWND> earlierDialogs_;            // on the screen when the logoff began
    std::vector<HWND> heldWindows_;               // message windows that owned one of them
    std::vector<std::pair<HWND, int>> requests_;  // close requests each window had
    std::vector<HWND> answered_;                  // dialogs pressed
    HWND current_ = nullptr;                      // the window whose turn it is
    int turn_ = 0;                                // requests to it in this turn
    std::function<void(const ClosingResult&)> ended_;
};

}  // namespace app
