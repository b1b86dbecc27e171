// The edge of every function that Windows calls back (window, dialog and timer
// procedures, COM methods). On 32-bit Windows an exception cannot unwind
// through the system's frames between such a function and the code that
// caused the call: it ends the process at once. So none may leave: what
// failed is dropped, and the program (its tray icon, its idle monitor) goes on.
#pragma once

namespace base {

// The body's result, or onFailure when the body throws.
template <class Result, class Body>
Result CallbackBoundary(Result onFailure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}

// The same for a body that returns nothing.
template <class Body>
void CallbackBoundary(Body&& body) noexcept {
    try {
        body();
    } catch (...) {}
}

}  // namespace base
