#include "ui/Form.h"

namespace ui {
namespace {
int& loadedForms() {
    static int count = 0;
    return count;
}
}  // namespace

int Form::LoadedCount() noexcept { return loadedForms(); }

void Form::Load() {
    if (IsLoaded()) return;
    if (!CreateFormWindow()) return;
    counted_ = true;
    ++loadedForms();
    unloading_ = false;
    activated_ = false;
    loading_ = true;
    OnLoad();
    loading_ = false;
    if (unloadWhenLoaded_) {
        unloadWhenLoaded_ = false;
        Unload();
    }
}

void Form::Show(bool activate) {
    Load();
    if (!IsLoaded()) return;
    activated_ = false;
    ShowWindow(hWnd(), activate ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
    // Showing activates the form; where the platform withholds activation (another
    // program has the foreground) the form still gets its Activate event.
    if (IsLoaded() && !activated_) {
        activated_ = true;
        OnActivate();
    }
}

void Form::Hide() {
    if (IsLoaded()) ShowWindow(hWnd(), SW_HIDE);
}

void Form::Unload() {
    if (!IsLoaded() || unloading_) return;
    // A close request can come in while the load waits on the system (another
    // program's WM_CLOSE, handled inside a call that sends to the shell): it takes
    // effect once the load is done, not in the middle of it.
    if (loading_) {
        unloadWhenLoaded_ = true;
        return;
    }
    unloading_ = true;
    OnUnload();
    Destroy();
}

LRESULT Form::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(hWnd())) {
                activated_ = true;
                OnActivate();
            }
            break;
        case WM_SIZE:
            OnResize();
            break;
        case WM_CLOSE:
            Unload();
            return 0;
        default:
            break;
    }
    return Window::OnMessage(msg, wParam, lParam);
}

void Form::OnDestroyed() {
    if (!counted_) return;
    counted_ = false;
    if (--loadedForms() == 0) PostQuitMessage(0);
}

}  // namespace ui
