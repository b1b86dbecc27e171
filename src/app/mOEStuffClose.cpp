// Closing the mail client, a step at a time on the form's timer.
#include <algorithm>

#include "app/mOEStuff.h"

namespace app {
namespace {

DWORD processOf(HWND hwnd) {
    DWORD pid = 0;
    if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

bool hasClass(HWND hwnd, const char* name) {
    char found[32] = {};
    return hwnd && GetClassNameA(hwnd, found, sizeof found) > 0 && lstrcmpA(found, name) == 0;
}

// The top-level windows of a class that belong to one process, in Z order.
std::vector<HWND> topLevelOf(const char* className, DWORD process) {
    std::vector<HWND> found;
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, className, nullptr)) != nullptr)
        if (processOf(hwnd) == process) found.push_back(hwnd);
    return found;
}

// The message window that owns a dialog, directly or through a window of its
// own, in the dialog's own process; null for any other dialog.
HWND owningMessageWindow(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner) return nullptr;
    if (!hasClass(owner, kNoteWindowClass)) owner = GetAncestor(owner, GA_ROOT);
    return hasClass(owner, kNoteWindowClass) && processOf(owner) == processOf(dialog) ? owner : nullptr;
}

bool contains(const std::vector<HWND>& list, HWND hwnd) {
    return std::find(list.begin(), list.end(), hwnd) != list.end();
}

HWND buttonWithId(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return hasClass(control, "Button") ? control : nullptr;
}

void postClose(HWND hwnd) { PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }

HWND yesOrOk(HWND dialog) {
    HWND button = FindWindowExA(dialog, nullptr, "Button", "&Yes");
    if (!button) button = FindWindowExA(dialog, nullptr, "Button", "OK");
    // On a Windows in another language the captions are the system's own words
    // ("&Ja", "はい(&Y)"), but a message box gives its buttons the same command
    // identifiers in every language.
    if (!button) button = buttonWithId(dialog, IDYES);
    if (!button) button = buttonWithId(dialog, IDOK);
    return button;
}

bool pressYesOrOk(HWND dialog) {
    HWND button = yesOrOk(dialog);
    if (!button) return false;
    // What a click on the button sends its dialog. A BM_CLICK may do nothing in a
    // dialog that is not active, and a logoff comes when nobody is there to
    // activate anything.
    const int id = GetDlgCtrlID(button);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
}

}  // namespace

OutlookExpressCloser::OutlookExpressCloser(ui::Window& form, std::function<void(const ClosingResult&)> ended)
    : timer_(form, kCloseTimerId, kClosePauseMs, false, [this] { step(); }), ended_(std::move(ended)) {}

void OutlookExpressCloser::Start() {
    if (Running()) return;
    main_ = FindWindowA(kMainWindowClass, nullptr);
    // With no main window there is nobody to ask, and message windows without one
    // belong to nobody we know.
    if (!main_) {
        if (ended_) ended_(ClosingResult{});
        return;
    }
    process_ = processOf(main_);
    for (HWND dialog : topLevelOf(kDialogClass, process_)) {
        earlierDialogs_.push_back(dialog);
        HWND holder = owningMessageWindow(dialog);
        if (holder && IsWindowVisible(dialog)) heldWindows_.push_back(holder);
    }
    timer_.SetEnabled(true);
    step();
}

void OutlookExpressCloser::Stop() {
    if (!Running()) return;
    const ClosingResult closing = result();
    reset();
    if (ended_) ended_(closing);
}

ClosingResult OutlookExpressCloser::result() const {
    ClosingResult r;
    for (const auto& [asked, count] : requests_) ++(IsWindow(asked) ? r.notClosed : r.closed);
    r.answered = static_cast<int>(answered_.size());
    std::vector<HWND> held;
    for (HWND w : heldWindows_)
        if (!contains(held, w)) held.push_back(w);
    r.held = static_cast<int>(held.size());
    return r;
}

void OutlookExpressCloser::reset() {
    timer_.SetEnabled(false);
    main_ = nullptr;
    process_ = 0;
    earlierDialogs_.clear();
    heldWindows_.clear();
    requests_.clear();
    answered_.clear();
    current_ = nullptr;
    turn_ = 0;
}

int OutlookExpressCloser::requestsTo(HWND window) const {
    for (const auto& [asked, count] : requests_)
        if (asked == window) return count;
    return 0;
}

std::vector<HWND> OutlookExpressCloser::messageWindows() const {
    std::vector<HWND> windows = topLevelOf(kNoteWindowClass, process_);
    windows.erase(
        std::remove_if(windows.begin(), windows.end(),
                       [this](HWND w) { return contains(heldWindows_, w) || requestsTo(w) >= kMaxCloseRequests; }),
        windows.end());
    return windows;
}

// A message window stays in turn for a few requests, while its confirmation is
// on its way or has just been answered: a client that runs all its windows on
// one thread opens a second window's confirmation inside the first one's, and
// shows the first only when the second is gone. Its turn ends early once it
// shows a confirmation that offers neither Yes nor OK.
HWND OutlookExpressCloser::nextWindow(const std::vector<HWND>& windows) const {
    if (contains(windows, current_) && turn_ < kTurnRequests && !refusesToClose(current_)) return current_;
    // Then the one asked least, so that one that never closes does not keep the
    // others open.
    HWND next = nullptr;
    for (HWND w : windows)
        if (w != current_ && (!next || requestsTo(w) < requestsTo(next))) next = w;
    return next ? next : current_;
}

bool OutlookExpressCloser::refusesToClose(HWND window) const {
    for (HWND dialog : topLevelOf(kDialogClass, process_))
        if (raisedByUs(dialog) && owningMessageWindow(dialog) == window && !yesOrOk(dialog)) return true;
    return false;
}

void OutlookExpressCloser::step() {
    const std::vector<HWND> windows = messageWindows();
    if (windows.empty()) return finish();
    HWND next = nextWindow(windows);
    turn_ = next == current_ ? turn_ + 1 : 1;
    current_ = next;
    postClose(next);
    if (requestsTo(next) == 0) requests_.emplace_back(next, 0);
    for (auto& [asked, count] : requests_)
        if (asked == next) ++count;
    // At once: a dialog raised by an earlier request may be up already.
    ClickDialogButton();
    // After the last request there is nothing to wait for.
    if (messageWindows().empty()) finish();
}

void OutlookExpressCloser::finish() {
    HWND main = main_;
    const bool same = main && IsWindow(main) && processOf(main) == process_;
    const ClosingResult closing = result();
    reset();
    if (same) {
        SetActiveWindow(main);
        postClose(main);
    }
    if (ended_) ended_(closing);
}

bool OutlookExpressCloser::raisedByUs(HWND dialog) const {
    if (!IsWindowVisible(dialog) || contains(earlierDialogs_, dialog)) return false;
    HWND owner = owningMessageWindow(dialog);
    return owner && requestsTo(owner) > 0;
}

void OutlookExpressCloser::ClickDialogButton() {
    if (!process_) return;
    for (HWND dialog : topLevelOf(kDialogClass, process_))
        if (raisedByUs(dialog) && pressYesOrOk(dialog) && !contains(answered_, dialog)) answered_.push_back(dialog);
}

}  // namespace app
