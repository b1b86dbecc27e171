// What a screen reader hears of one of our windows. The system's own object for
// a window knows where it is and what surrounds it, but reads every window of a
// class of ours as a nameless "client"; this wraps that object and answers the
// questions only the window's owner can: its name, role, state, value, access
// key and default action.
//
//   ui::Accessible accessible_{OBJID_CLIENT, [this] { return Facts(); }, [this] { Press(); }};
//   LRESULT OnMessage(UINT m, WPARAM w, LPARAM l) {
//       LRESULT r = 0;
//       if (accessible_.Answer(hWnd(), m, w, l, r)) return r;
//       ...
//
// Answer takes WM_GETOBJECT, hands the reader the object, and runs the default
// action from the window's own message loop when a reader asks for it (never
// inside the reader's call: the action may show a message box or close the
// window). When the window is destroyed the object is cut off: a reader that
// still holds it hears that it is gone, and nothing of ours is touched.
// oleacc.dll is loaded only when a reader first asks.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace ui {

// Unset: what the system's object says.
struct AccessibleFacts {
    std::optional<std::wstring> name, value, shortcut, defaultAction;
    std::optional<long> role;   // ROLE_SYSTEM_*
    std::optional<long> state;  // STATE_SYSTEM_*; "invisible" is added while the window is hidden
};

class Accessible {
public:
    // objectId: which of the window's objects this is (OBJID_CLIENT, OBJID_WINDOW).
    // describe is asked at each question; act runs the default action.
    Accessible(long objectId, std::function<AccessibleFacts()> describe, std::function<void()> act = {});
    ~Accessible();
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    // For the window procedure, before anything else: true when the message was
    // this object's (result is then the answer). Sees WM_DESTROY go by.
    bool Answer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window is going: readers holding the object hear that it is gone.
    void Disconnect() noexcept;

    class Object;

private:
    const long objectId_;
    std::function<AccessibleFacts()> describe_;
    std::function<void()> act_;
    Object* object_ = nullptr;
    friend class Object;
};

// Readers go through a window's children in z-order, which is the order they
// were made in. This restacks the children that exist now from top to bottom
// (left to right where they start level), as a person reads them; what is drawn
// stays as it was as long as none of them overlap.
void StackChildrenInReadingOrder(HWND parent);

// An access key as a reader names it: "Alt+E" (empty when there is none).
std::wstring AccessKeyShortcut(const std::wstring& key);

}  // namespace ui
