#include "ui/Timer.h"

#include <algorithm>

#include "ui/Window.h"

namespace ui {

Timer::Timer(Window& owner, UINT_PTR id, UINT intervalMs, bool enabled, std::function<void()> onTick)
    : owner_(&owner), id_(id), interval_(intervalMs), enabled_(enabled), onTick_(std::move(onTick)) {
    owner.timers_.push_back(this);
    Sync();
}

Timer::~Timer() {
    if (!owner_) return;
    if (running_ && owner_->hWnd()) KillTimer(owner_->hWnd(), id_);
    auto& list = owner_->timers_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Sync();
}

void Timer::SetInterval(UINT ms) {
    interval_ = ms;
    if (running_ && owner_ && owner_->hWnd()) KillTimer(owner_->hWnd(), id_);
    running_ = false;
    Sync();
}

void Timer::Sync() {
    HWND hwnd = owner_ ? owner_->hWnd() : nullptr;
    const bool want = hwnd && enabled_ && interval_ > 0;
    if (want && !running_) {
        running_ = SetTimer(hwnd, id_, interval_, nullptr) != 0;
    } else if (!want && running_) {
        if (hwnd) KillTimer(hwnd, id_);
        running_ = false;
    }
}

void Timer::Fire() {
    if (enabled_ && onTick_) onTick_();
}

}  // namespace ui
