// A form's timer: an interval in milliseconds and an enabled flag. It ticks
// whenever its window exists and it is enabled, whether or not the window is
// visible, and its ticks run inside any modal loop of the thread.
#pragma once
#include <windows.h>

#include <functional>

namespace ui {

class Window;

class Timer {
public:
    Timer(Window& owner, UINT_PTR id, UINT intervalMs, bool enabled, std::function<void()> onTick);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const noexcept { return interval_; }
    void SetInterval(UINT ms);

private:
    friend class Window;
    // Starts or stops the platform timer as the window and the flag say; the
    // window calls it once it exists.
    void Sync();
    void Fire();

    Window* owner_;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_;
    bool running_ = false;
    std::function<void()> onTick_;
};

}  // namespace ui
