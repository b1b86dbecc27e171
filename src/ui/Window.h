// A C++ object bound to its window at WM_NCCREATE (the object's address in
// GWLP_USERDATA) so that messages reach member handlers.
#pragma once
#include <windows.h>

#include <vector>

namespace ui {

class Timer;

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hWnd() const noexcept { return hwnd_; }
    bool IsCreated() const noexcept { return hwnd_ != nullptr; }

    // The procedure every window of ours starts with. Nothing a handler throws
    // leaves it (see base/CallbackBoundary.h): the message then counts as handled.
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    // What a window procedure answers for a message whose handler threw: the
    // message is dropped as handled. A paint that failed is dropped too: left
    // invalid, the window would be asked to paint again at once, for ever.
    static LRESULT Dropped(HWND hwnd, UINT msg) noexcept;

    struct ClassInfo {
        const char* name;
        UINT style = 0;
        HBRUSH background = nullptr;
        HICON icon = nullptr;
        HCURSOR cursor = nullptr;
    };
    struct CreateInfo {
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        const char* title = "";
        int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
        HWND parent = nullptr;
        HMENU idOrMenu = nullptr;
    };

protected:
    Window() = default;

    // Registers the class (once per process) and creates the window.
    bool Create(const ClassInfo& cls, const CreateInfo& info);
    // Destroys the window now, if it exists.
    void Destroy() noexcept;

    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Answers WM_PAINT: the painter draws into the window's paint DC.
    template <class Painter>
    LRESULT PaintWith(Painter&& paint) {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(hwnd_, &ps)) {
            try {
                paint(dc);
            } catch (...) {
                EndPaint(hwnd_, &ps);
                throw;
            }
            EndPaint(hwnd_, &ps);
        }
        return 0;
    }
    // The window is gone (after WM_NCDESTROY); the object lives on.
    virtual void OnDestroyed() {}

private:
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    friend class Timer;
    HWND hwnd_ = nullptr;
    std::vector<Timer*> timers_;
};

}  // namespace ui
