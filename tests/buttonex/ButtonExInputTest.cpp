// Mouse tracking with the real pointer on the X display (xdotool), the
// keyboard and access keys, focus, and the event dispatch of the button.
#include <algorithm>

#include "buttonex/ButtonExFixture.h"
#include "support/WinTest.h"

namespace bxtest {
namespace {

using buttonex::Down;
using buttonex::Over;
using buttonex::TA;
using buttonex::Up;
using wintest::Pump;
using wintest::WaitUntil;
using wintest::Xdo;

class Input : public ButtonExTest {
protected:
    void SetUp() override {
        ButtonExTest::SetUp();
        ASSERT_TRUE(pointerTo(POINT{900, 700}));
        Pump(50);
        events.log.clear();
    }
    // Under Wine a Unix program started from a Windows one has no process handle,
    // so xdotool's own completion cannot be awaited: wait for what it does instead.
    static bool pointerTo(POINT p) {
        Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y));
        return WaitUntil(
            [&] {
                POINT now{};
                GetCursorPos(&now);
                return now.x == p.x && now.y == p.y;
            },
            3000);
    }
    // Screen point of the button's client (x, y).
    POINT screen(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(button->hWnd(), &p);
        return p;
    }
    void moveTo(int x, int y) {
        const POINT p = screen(x, y);
        const size_t before = events.log.size();
        ASSERT_TRUE(pointerTo(p));
        // Then for the move message (inside: an event; outside: a little time).
        WaitUntil([&] { return events.log.size() > before; }, 300);
        Pump(30);
    }
    void key(const std::string& keys) {
        Xdo("key " + keys);
        Pump(300);
    }
};

TEST_F(Input, EnteringHoveringAndLeaving) {
    moveTo(10, 5);
    EXPECT_EQ(events.log, (std::vector<std::string>{"MouseEnter", "MouseMove 0 0 150 75"}));
    EXPECT_TRUE(TA::TimerOn(*button));  // the first move only starts tracking
    EXPECT_EQ(TA::State(*button), Up);
    moveTo(12, 6);
    EXPECT_EQ(TA::State(*button), Over);  // the second move shows the hover look
    EXPECT_EQ(events.count("MouseEnter"), 1);
    // An edge pixel counts as inside.
    moveTo(button->Surface().Width() - 1, 6);
    EXPECT_EQ(events.count("MouseExit"), 0);

    events.log.clear();
    moveTo(-30, -30);
    EXPECT_TRUE(WaitUntil([&] { return !TA::TimerOn(*button); }, 1000));
    EXPECT_EQ(events.log, (std::vector<std::string>{"MouseExit"}));
    EXPECT_EQ(TA::State(*button), Up);
    Pump(100);
    EXPECT_EQ(events.count("MouseExit"), 1);
}

TEST_F(Input, PressLeaveComeBackReleaseClicksOnce) {
    moveTo(10, 10);
    moveTo(11, 10);
    std::vector<int32_t> looks;
    Xdo("mousedown 1");
    WaitUntil([&] { return events.count("MouseDown") == 1; }, 1000);
    looks.push_back(TA::State(*button));
    moveTo(200, 10);  // out, with the button held
    WaitUntil([&] { return events.count("MouseExit") == 1; }, 1000);
    looks.push_back(TA::State(*button));
    EXPECT_EQ(events.count("MouseMove 1"), 0);  // no moves reported outside
    moveTo(20, 10);   // back: MouseEnter, no look change yet
    EXPECT_EQ(events.count("MouseEnter"), 2);
    looks.push_back(TA::State(*button));
    moveTo(22, 10);   // the next move presses again
    looks.push_back(TA::State(*button));
    // The platform follows a release with moves of its own, so the look and the
    // poll are taken as the release is reported.
    bool pollOnAtRelease = true;
    events.onEvent = [&](ButtonEx& b, const std::string& e) {
        if (e.rfind("MouseUp", 0) == 0) {
            looks.push_back(TA::State(b));
            pollOnAtRelease = TA::TimerOn(b);
        }
    };
    Xdo("mouseup 1");
    WaitUntil([&] { return events.count("Click") == 1; }, 1000);
    EXPECT_EQ(looks, (std::vector<int32_t>{Down, Up, Up, Down, Up}));
    EXPECT_FALSE(pollOnAtRelease);
    EXPECT_EQ(events.count("Click"), 1);
    EXPECT_EQ(events.count("MouseUp 1 0 330 150"), 1);
    const auto up = std::find(events.log.begin(), events.log.end(), "MouseUp 1 0 330 150");
    ASSERT_NE(up, events.log.end());
    EXPECT_EQ(*(up + 1), "Click");  // the click follows the release
}

TEST_F(Input, RightAndMiddleButtonsChangeNoLookAndToggleLatches) {
    moveTo(10, 10);
    moveTo(11, 10);
    ASSERT_EQ(TA::State(*button), Over);
    Xdo("click 3");
    Xdo("click 2");
    WaitUntil([&] { return events.count("MouseUp") == 2; }, 1000);
    EXPECT_EQ(events.count("MouseDown 2"), 1);
    EXPECT_EQ(events.count("MouseDown 4"), 1);
    EXPECT_EQ(events.count("Click"), 0);
    EXPECT_EQ(TA::State(*button), Over);
    EXPECT_EQ(button->Value(), 1);

    button->SetStyle(1);
    Xdo("click 1");
    WaitUntil([&] { return events.count("Click") == 1; }, 1000);
    EXPECT_EQ(button->Value(), 0);
    EXPECT_EQ(TA::State(*button), Down);  // the release keeps it latched
    moveTo(12, 10);
    moveTo(13, 10);
    EXPECT_EQ(TA::State(*button), Down);  // hovering a latched button keeps it down
    Xdo("click 1");
    WaitUntil([&] { return events.count("Click") == 2; }, 1000);
    EXPECT_EQ(button->Value(), 1);
    EXPECT_EQ(TA::State(*button), Up);
}

TEST_F(Input, KeysBecomeEventsAndOnlyTheAccessKeyClicks) {
    button->SetCaption(L"&Exit");
    auto second = NewButton(20, 60);
    second->SetCaption(L"&Go");
    SetForegroundWindow(form.hWnd());
    SetFocus(button->hWnd());
    Pump(100);
    ASSERT_EQ(GetFocus(), button->hWnd());
    events.log.clear();
    key("a");
    key("space");
    key("Return");
    EXPECT_EQ(events.count("KeyDown 65 0"), 1);
    EXPECT_EQ(events.count("KeyPress 97"), 1);
    EXPECT_EQ(events.count("KeyUp 65 0"), 1);
    EXPECT_EQ(events.count("KeyDown 32"), 1);
    EXPECT_EQ(events.count("KeyDown 13"), 1);
    EXPECT_EQ(events.count("Click"), 0);
    EXPECT_EQ(TA::State(*button), Up);

    // Alt plus the access letter, from the button itself and from the form.
    int exitClicks = 0, goClicks = 0;
    events.onEvent = [&](ButtonEx& b, const std::string& e) {
        if (e == "Click") ++(&b == button.get() ? exitClicks : goClicks);
    };
    key("alt+e");
    EXPECT_EQ(exitClicks, 1);
    EXPECT_EQ(goClicks, 0);
    SetFocus(form.hWnd());
    Pump(50);
    key("alt+g");
    EXPECT_EQ(goClicks, 1);
    EXPECT_EQ(exitClicks, 1);
}

TEST_F(Input, FocusRepaintsAndTabMovesInTabOrder) {
    auto second = NewButton(20, 60);
    SetForegroundWindow(form.hWnd());
    auto dots = [](const ButtonEx& b) {
        int n = 0;
        for (int x = 4; x < b.Surface().Width() - 4; ++x)
            if (b.Surface().Pixel(x, 4) != GetSysColor(COLOR_BTNFACE)) ++n;
        return n;
    };
    SetFocus(button->hWnd());
    Pump(50);
    EXPECT_TRUE(TA::HasFocus(*button));
    EXPECT_GT(dots(*button), 10);
    EXPECT_EQ(button->Surface().Pixel(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    key("Tab");
    EXPECT_EQ(GetFocus(), second->hWnd());
    EXPECT_FALSE(TA::HasFocus(*button));
    EXPECT_EQ(dots(*button), 0);
    EXPECT_GT(dots(*second), 10);
    EXPECT_EQ(events.count("KeyDown 9"), 0);  // Tab moves focus; it is no key event
    key("shift+Tab");
    EXPECT_EQ(GetFocus(), button->hWnd());
    // Losing focus while Over keeps the Over look.
    TA::Redraw(*button, Over);
    SetFocus(form.hWnd());
    Pump(50);
    EXPECT_EQ(TA::State(*button), Over);
}

TEST_F(Input, RaiseEventsByExactNameWithCheckedConversions) {
    std::vector<TA::EventArg> none;
    EXPECT_TRUE(TA::Raise(*button, "click", none));
    EXPECT_TRUE(TA::Raise(*button, "Unknown", none));
    EXPECT_TRUE(events.log.empty());
    TA::Raise(*button, "MouseEnter", none);
    TA::Raise(*button, "MouseEnter", none);
    TA::Raise(*button, "MouseExit", none);
    TA::Raise(*button, "MouseExit", none);
    TA::Raise(*button, "MouseEnter", none);
    EXPECT_EQ(events.log, (std::vector<std::string>{"MouseEnter", "MouseExit", "MouseEnter"}));
    events.log.clear();

    // A handler's change to its copy does not reach the caller.
    events.onEvent = [](ButtonEx&, const std::string&) {};
    struct Changer : Recorder {
        void KeyPress(ButtonEx&, int16_t& k) override { k = 0; }
    } changer;
    button->SetEvents(&changer);
    int16_t ascii = 65;
    button->OnKeyPress(ascii);
    EXPECT_EQ(ascii, 65);
    button->SetEvents(&events);

    // Values that do not fit raise nothing and report the overflow.
    int32_t big = 70000;
    int16_t shift = 0;
    std::vector<TA::EventArg> overflow{&big, &shift};
    EXPECT_FALSE(TA::Raise(*button, "KeyDown", overflow));
    std::vector<TA::EventArg> tooFar{int16_t{1}, int16_t{0}, 1e300, 0.0};
    EXPECT_FALSE(TA::Raise(*button, "MouseMove", tooFar));
    EXPECT_TRUE(events.log.empty());
    std::vector<TA::EventArg> fits{int32_t{-32768}, 2.5};  // 2.5 rounds to 2
    EXPECT_TRUE(TA::Raise(*button, "KeyUp", fits));
    EXPECT_EQ(events.log, (std::vector<std::string>{"KeyUp -32768 2"}));
}

TEST_F(Input, DragNotificationsAndResizeRepaint) {
    IDataObject* data = nullptr;
    int32_t effect = 7;
    int16_t b = 1, s = 0, state = 0;
    float x = 0, y = 0;
    button->OnOLEDragOver(data, effect, b, s, x, y, state);
    EXPECT_EQ(TA::State(*button), Over);
    EXPECT_EQ(effect, 1);  // the handler's Effect goes back to the caller
    state = 2;
    TA::State(*button) = Down;
    button->OnOLEDragOver(data, effect, b, s, x, y, state);
    EXPECT_EQ(TA::State(*button), Down);  // moving over repaints nothing
    events.dragOverState = 1;             // a handler that says "left" on entry
    state = 0;
    button->OnOLEDragOver(data, effect, b, s, x, y, state);
    EXPECT_EQ(TA::State(*button), Up);
    // Resize: Up first, then the event.
    TA::State(*button) = Down;
    events.log.clear();
    events.onEvent = [&](ButtonEx& bt, const std::string& e) {
        if (e == "Resize") {
            EXPECT_EQ(TA::State(bt), Up);
        }
    };
    button->SetSizeTwips(1500, 450);
    EXPECT_EQ(events.log, (std::vector<std::string>{"Resize"}));
}

}  // namespace
}  // namespace bxtest
