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
    // Starts the platform timer if the window exists now; forms call it once created.
    void Sync();

private:
    friend class Window;
    void Fire();

    Window* owner_;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_;
    bool running_ = false;
    std::function<void()> onTick_;
};

}  // namespace ui
