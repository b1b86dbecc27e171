// A handler that throws inside a window procedure: the system's frames lie
// between it and any code that could catch it, so the procedure itself must.
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/WinTest.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace {

constexpr UINT kThrows = WM_APP, kAnswers = WM_APP + 1;

class ThrowingWindow : public ui::Window {
public:
    ui::Timer ticker{*this, 1, 10, true, [this] {
                         ++ticks;
                         throw std::runtime_error("tick");
                     }};
    int ticks = 0;
    bool Make() {
        CreateInfo info;
        info.style = WS_POPUP | WS_VISIBLE;
        info.x = info.y = 50;
        info.width = info.height = 100;
        return Create(ClassInfo{"TollvaneThrowingWindow"}, info);
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_PAINT) throw std::runtime_error("paint");  // before BeginPaint
        if (msg == kThrows) throw std::runtime_error("message");
        if (msg == kAnswers) return 42;
        return Window::OnMessage(msg, wParam, lParam);
    }
};

TEST(WindowProcedure, AHandlerThatThrowsLosesOnlyItsOwnMessage) {
    ThrowingWindow w;
    ASSERT_TRUE(w.Make());
    EXPECT_EQ(SendMessageA(w.hWnd(), kThrows, 0, 0), 0);
    EXPECT_EQ(SendMessageA(w.hWnd(), kAnswers, 0, 0), 42);
    // A paint that failed is not asked for again and again.
    InvalidateRect(w.hWnd(), nullptr, FALSE);
    UpdateWindow(w.hWnd());
    EXPECT_FALSE(GetUpdateRect(w.hWnd(), nullptr, FALSE));
    // The timer whose every tick throws keeps ticking.
    EXPECT_TRUE(wintest::WaitUntil([&] { return w.ticks >= 3; }, 3000));
}

}  // namespace
