#include "ui/Window.h"

#include <algorithm>

#include "base/CallbackBoundary.h"
#include "ui/Timer.h"

namespace ui {

Window::~Window() {
    for (Timer* t : timers_) t->owner_ = nullptr;
    Destroy();
}

bool Window::Create(const ClassInfo& cls, const CreateInfo& info) {
    if (hwnd_) return true;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    if (!GetClassInfoExA(instance, cls.name, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.style = cls.style;
        wc.lpfnWndProc = &Window::StaticProc;
        wc.hInstance = instance;
        wc.hIcon = cls.icon;
        wc.hCursor = cls.cursor ? cls.cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = cls.background;
        wc.lpszClassName = cls.name;
        if (!RegisterClassExA(&wc)) return false;
    }
    CreateWindowExA(info.exStyle, cls.name, info.title, info.style, info.x, info.y, info.width, info.height,
                    info.parent, info.idOrMenu, instance, this);
    if (!hwnd_) return false;
    // A window's timers run from its creation on, whatever was set before it existed.
    for (Timer* t : timers_) t->Sync();
    return true;
}

void Window::Destroy() noexcept {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcA(hwnd_, msg, wParam, lParam); }

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);

    if (msg == WM_NCDESTROY) {
        const LRESULT r = self->Dispatch(hwnd, msg, wParam, lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        for (Timer* t : self->timers_) t->running_ = false;
        base::CallbackBoundary([self] { self->OnDestroyed(); });
        return r;
    }
    return self->Dispatch(hwnd, msg, wParam, lParam);
}

LRESULT Window::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (msg == WM_TIMER) {
            auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Timer* t) { return t->id_ == wParam; });
            if (it != timers_.end()) {
                (*it)->Fire();
                return 0;
            }
        }
        return OnMessage(msg, wParam, lParam);
    } catch (...) {
        return Dropped(hwnd, msg);  // the handler may have destroyed the object
    }
}

LRESULT Window::Dropped(HWND hwnd, UINT msg) noexcept {
    if (msg == WM_PAINT && hwnd) ValidateRect(hwnd, nullptr);
    return 0;
}

}  // namespace ui
