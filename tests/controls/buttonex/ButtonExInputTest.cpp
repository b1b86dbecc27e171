// Mouse tracking with the real pointer on the X display (xdotool), and the
// keyboard: key events, access keys and Tab; what a screen reader hears.
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <iterator>
#include <new>
#include <stdexcept>

#include "controls/buttonex/ButtonExFixture.h"
#include "support/WinTest.h"

namespace bxtest {
namespace {

using namespace buttonex;  // the states
using wintest::Pump;
using wintest::WaitUntil;
using wintest::Xdo;

class ButtonExInput : public ButtonExTest {
protected:
    void SetUp() override {
        ButtonExTest::SetUp();
        moveTo(700, 500);  // well off the button
        events.log.clear();
    }
    // To the button's client (x, y). Wine learns of the move from the X server a
    // little later: wait for the pointer, then for the move message (inside: an event).
    void moveTo(int x, int y) {
        POINT p{x, y}, now{};
        ClientToScreen(button->hWnd(), &p);
        const size_t before = events.log.size();
        Xdo("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y));
        ASSERT_TRUE(WaitUntil([&] { return GetCursorPos(&now) && now.x == p.x && now.y == p.y; }, 3000));
        WaitUntil([&] { return events.log.size() > before; }, 300);
        Pump(30);
    }
    // An xdotool command, then until the event has come count times (no event: a while).
    void xdo(const std::string& args, const char* event = nullptr, int count = 0) {
        Xdo(args);
        if (!event) return Pump(300);
        EXPECT_TRUE(WaitUntil([&] { return events.count(event) >= count; }, 1000)) << args;
    }
    void hover() { moveTo(10, 10), moveTo(11, 10); }
};

TEST_F(ButtonExInput, EnterHoverPressLeaveComeBackReleaseClicksOnceThenLeaveExits) {
    moveTo(10, 5);
    EXPECT_EQ(events.log, (std::vector<std::string>{"MouseEnter", "MouseMove 0 0 150 75"}));
    EXPECT_TRUE(TA::TimerOn(*button));  // the first move only starts tracking...
    EXPECT_EQ(TA::State(*button), Up);
    moveTo(11, 10);
    EXPECT_EQ(TA::State(*button), Over);  // ...the second shows the hover look
    std::vector<int32_t> looks;
    auto look = [&] { looks.push_back(TA::State(*button)); };
    xdo("mousedown 1", "MouseDown", 1);
    look();
    moveTo(200, 10);  // out, with the button held
    WaitUntil([&] { return events.count("MouseExit") == 1; }, 1000);
    look();
    EXPECT_EQ(events.count("MouseMove 1"), 0);  // no moves reported outside
    moveTo(20, 10);
    look();  // back: MouseEnter, the look not yet
    EXPECT_EQ(events.count("MouseEnter"), 2);
    moveTo(22, 10);  // the next move presses again
    look();
    // The platform follows a release with moves of its own: take the look as it is reported.
    bool pollOnAtRelease = true;
    events.onEvent = [&](ButtonEx& b, const std::string& e) {
        if (e.rfind("MouseUp", 0) == 0) look(), pollOnAtRelease = TA::TimerOn(b);
    };
    xdo("mouseup 1", "Click", 1);
    EXPECT_EQ(looks, (std::vector<int32_t>{Down, Up, Up, Down, Up}));
    EXPECT_FALSE(pollOnAtRelease);
    const auto up = std::find(events.log.begin(), events.log.end(), "MouseUp 1 0 330 150");
    EXPECT_TRUE(up != events.log.end() && *(up + 1) == "Click");
    Pump(100);
    EXPECT_EQ(events.count("Click"), 1);
    moveTo(W() - 1, 6);  // an edge pixel is inside
    events.log.clear();
    moveTo(-30, -30);
    EXPECT_TRUE(WaitUntil([&] { return !TA::TimerOn(*button); }, 1000));
    Pump(100);
    EXPECT_EQ(events.log, (std::vector<std::string>{"MouseExit"}));  // no second MouseEnter before it
    EXPECT_EQ(TA::State(*button), Up);
}

TEST_F(ButtonExInput, ToggleLatchesDownUntilTheNextClickAndOtherButtonsChangeNoLook) {
    hover();
    for (const char* other : {"mousedown 3", "mousedown 2"}) {
        xdo(other, "MouseDown", 1);
        EXPECT_EQ(TA::State(*button), Over) << other;
        xdo(std::string("mouseup ") + other[10], "MouseUp", 1);
        events.log.clear();
    }
    EXPECT_EQ(events.count("Click"), 0);
    button->SetStyle(1);
    xdo("click 1", "Click", 1);
    EXPECT_EQ(std::pair(button->Value(), TA::State(*button)),
              std::pair(0, int32_t{Down}));  // latched after the release...
    moveTo(12, 10);
    moveTo(13, 10);
    EXPECT_EQ(TA::State(*button), Down);  // ...and while hovered
    xdo("click 1", "Click", 2);
    EXPECT_EQ(std::pair(button->Value(), TA::State(*button)), std::pair(1, int32_t{Up}));
}

TEST_F(ButtonExInput, KeysBecomeEventsOnlyTheAccessKeyClicksAndTabMovesFocus) {
    button->SetCaption(L"&Exit");
    auto second = NewButton(20, 60);
    second->SetCaption(L"&Go");
    SetFocus(button->hWnd());
    events.log.clear();
    for (const char* k : {"a", "space", "Return"}) xdo(std::string("key ") + k);
    for (const char* e : {"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0", "KeyDown 32", "KeyDown 13"})
        EXPECT_EQ(events.count(e), 1) << e;
    EXPECT_EQ(events.count("Click"), 0);
    EXPECT_EQ(TA::State(*button), Up);
    xdo("key Tab");
    EXPECT_EQ(GetFocus(), second->hWnd());
    EXPECT_EQ(events.count("KeyDown 9"), 0);  // Tab moves focus; it is no key event
    xdo("key shift+Tab");
    EXPECT_EQ(GetFocus(), button->hWnd());

    // Alt plus the access letter, from the button itself and from the form.
    int exitClicks = 0, goClicks = 0;
    events.onEvent = [&](ButtonEx& b, const std::string& e) {
        if (e == "Click") ++(&b == button.get() ? exitClicks : goClicks);
    };
    xdo("key alt+e");
    EXPECT_EQ(exitClicks, 1);
    SetFocus(form.hWnd());
    xdo("key alt+g");
    EXPECT_EQ(std::pair(exitClicks, goClicks), std::pair(1, 1));

    // A screen reader hears the access key, the container's default and the disabled look.
    base::ComPtr<IAccessible> reader;
    ASSERT_EQ(AccessibleObjectFromWindow(button->hWnd(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(reader.put())),
              S_OK);
    VARIANT self{}, state{};
    self.vt = VT_I4;  // CHILDID_SELF
    BSTR key = nullptr;
    EXPECT_EQ(reader->get_accKeyboardShortcut(self, &key), S_OK);
    EXPECT_STREQ(key, L"Alt+E");
    SysFreeString(key);
    host.SetDisplayAsDefault(*button, true), button->SetEnabled(false);
    EXPECT_EQ(reader->get_accState(self, &state), S_OK);
    EXPECT_EQ(state.lVal & (STATE_SYSTEM_DEFAULT | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE),
              STATE_SYSTEM_DEFAULT | STATE_SYSTEM_UNAVAILABLE);
}

// A button in storage of the test's own, which a handler destroys and then
// fills with the handle of a live window, word after word. A dead button that
// went on would find itself "created", and draw, click and raise events through
// that poison (a crash), or write into it (the check after).
class DoomedButton {
public:
    DoomedButton(buttonex::ButtonExHost& host, buttonex::ButtonExEvents& events, HWND poison)
        : b_(new (storage_) ButtonEx(host, &events)), poison_(reinterpret_cast<uintptr_t>(poison)) {}
    ~DoomedButton() {
        if (b_) b_->~ButtonEx();
    }
    ButtonEx* operator->() const { return b_; }
    void Destroy() { b_->~ButtonEx(), b_ = nullptr, std::fill(std::begin(storage_), std::end(storage_), poison_); }
    bool DestroyedAndUntouched() const {
        return !b_ && static_cast<size_t>(std::count(std::begin(storage_), std::end(storage_), poison_)) ==
                          std::size(storage_);
    }

private:
    alignas(ButtonEx) uintptr_t storage_[(sizeof(ButtonEx) + sizeof(uintptr_t) - 1) / sizeof(uintptr_t)];
    ButtonEx* b_;
    uintptr_t poison_;
};

struct ResizeRecorder : Recorder {
    void Resize(ButtonEx& b) override { add(b, "Resize"); }
};

class ButtonExLifetime : public ButtonExTest {};

TEST_F(ButtonExLifetime, AHandlerMayDestroyTheButtonInMouseUpOrInAResizeWhilePainting) {
    ResizeRecorder heard;
    for (const char* fatal : {"MouseUp", "Resize"}) {
        DoomedButton doomed(host, heard, form.hWnd());
        doomed->Create(form.hWnd(), 20, 80);
        doomed->InitProperties();
        const HWND window = doomed->hWnd();
        heard.log.clear();
        heard.onEvent = [&](ButtonEx&, const std::string& e) {
            if (e.rfind(fatal, 0) == 0) doomed.Destroy();
        };
        if (std::string(fatal) == "MouseUp") {
            SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        } else {
            doomed->SetAppearance(2);
            doomed->SetSkinUp(SolidPicture(55, 31, RGB(0, 128, 0)));  // takes the skin's size, painting
            EXPECT_EQ(heard.count("Resize"), 0);                      // raised once the painting is over
            wintest::Pump(100);
        }
        EXPECT_TRUE(doomed.DestroyedAndUntouched()) << fatal;
        EXPECT_FALSE(IsWindow(window)) << fatal;
        EXPECT_EQ(heard.log.back().rfind(fatal, 0), 0u) << fatal;  // nothing raised after it (no Click)
    }
}

// A drag with the real pointer, on a thread with OLE initialised as the program's:
// pressed on the button, whose MouseDown starts the drag as a form would, carried
// onto a second button and released there (Wine, unlike Windows, also lets COM
// alone do it).
TEST_F(ButtonExInput, ARealDragWithThePointerDropsOnAnotherButton) {
    Recorder heard;
    const auto target = NewButton(20, 120, &heard);
    target->SetOLEDropMode(1);
    RECT t;
    GetWindowRect(target->hWnd(), &t);
    const std::string x = std::to_string((t.left + t.right) / 2), y = std::to_string((t.top + t.bottom) / 2);
    bool dragging = false;
    events.onEvent = [&](ButtonEx& b, const std::string& e) {
        if (e.rfind("MouseDown", 0) != 0 || dragging) return;
        dragging = true;
        b.OLEDrag();
    };
    hover();
    // The whole gesture from one program, started before the press: the rest of it
    // then runs while the drag's own loop holds this thread, however long a program
    // takes to start.
    wintest::UnixJob gesture("/usr/bin/xdotool", "mousedown 1 sleep 1 mousemove " + x + " " + y +
                                                     " sleep 0.5 mousemove_relative 2 1 sleep 0.5 mouseup 1");
    EXPECT_EQ(gesture.Wait(20000), 0);
    WaitUntil([&] { return heard.count("OLEDragDrop") > 0; }, 5000);
    EXPECT_EQ(heard.count("OLEDragOver 0"), 1);  // entered
    EXPECT_EQ(heard.count("OLEDragDrop"), 1);
    events.onEvent = nullptr;
    EXPECT_EQ(events.count("OLEStartDrag"), 1);
    ASSERT_EQ(events.count("OLECompleteDrag"), 1);
    EXPECT_EQ(events.count("OLECompleteDrag 0"), 0);  // an effect: dropped
}

// A file dragged from Explorer is offered to move: a button that takes no drops
// must never say it moved it, or Explorer deletes the file.
TEST_F(ButtonExInput, OnlyADropModeOtherThanNoneTakesDropsAndOnlyAHandlerTakesThem) {
    const auto registered = [&](const ButtonEx& b) { return GetPropA(b.hWnd(), "OleDropTargetInterface") != nullptr; };
    EXPECT_FALSE(registered(*button));
    button->SetOLEDropMode(1);
    EXPECT_TRUE(registered(*button));
    button->SetOLEDropMode(0);
    EXPECT_FALSE(registered(*button));
    buttonex::ButtonExEvents unhandled;
    for (buttonex::ButtonExEvents* handler : {&unhandled, static_cast<buttonex::ButtonExEvents*>(nullptr)}) {
        button->SetEvents(handler);
        button->SetOLEDropMode(1);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(TA::DropTarget(*button)->Drop(nullptr, 0, POINTL{0, 0}, &effect), S_OK);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
    }
}

// The platform calls the drop target through its own frames: a handler that
// throws there loses its event, the drop is refused, and the button goes on.
TEST_F(ButtonExInput, AHandlerThatThrowsInsideADropRefusesThatDropOnly) {
    button->SetOLEDropMode(1);
    IDropTarget* target = TA::DropTarget(*button);
    ASSERT_NE(target, nullptr);
    POINT p{10, 10};
    ClientToScreen(button->hWnd(), &p);
    const POINTL at{p.x, p.y};
    bool throwing = true;
    events.onEvent = [&](ButtonEx&, const std::string& e) {
        if (throwing && e.rfind("OLEDrag", 0) == 0) throw std::runtime_error(e);
    };
    DWORD entered = DROPEFFECT_COPY, dropped = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragEnter(nullptr, MK_LBUTTON, at, &entered), S_OK);
    EXPECT_EQ(target->Drop(nullptr, 0, at, &dropped), S_OK);
    EXPECT_EQ(entered | dropped, DROPEFFECT_NONE);
    throwing = false;
    dropped = DROPEFFECT_COPY;
    EXPECT_EQ(target->Drop(nullptr, 0, at, &dropped), S_OK);
    EXPECT_EQ(dropped, DROPEFFECT_COPY);
    EXPECT_EQ(events.count("OLEDragDrop"), 2);
    events.onEvent = nullptr;
}

}  // namespace
}  // namespace bxtest
