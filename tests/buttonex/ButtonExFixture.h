// A small container form for the button's Wine tests: a top-level window with
// a ButtonExHost, an event recorder, helpers that make pictures, and access to
// the button's private state.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/buttonex/ButtonEx.h"
#include "controls/buttonex/ButtonExHost.h"
#include "ui/Window.h"

namespace buttonex {

struct ButtonExTestAccess {
    static int32_t& State(ButtonEx& b) { return b.m_State; }
    static bool& HasFocus(ButtonEx& b) { return b.m_bHasFocus; }
    static std::string& LastHover(ButtonEx& b) { return b.m_LastHoverEvent; }
    static bool TimerOn(ButtonEx& b) { return b.Timer1.Enabled(); }
    static void Redraw(ButtonEx& b, int32_t state) { b.Redraw(state); }
    static POINT HolderAt(ButtonEx& b) { return {b.imgPicture.left, b.imgPicture.top}; }
    static bool Raise(ButtonEx& b, std::string_view name, std::vector<ButtonEx::EventArg>& args) {
        return b.RaiseEvents(name, args);
    }
    using EventArg = ButtonEx::EventArg;
};
using TA = ButtonExTestAccess;

}  // namespace buttonex

namespace bxtest {

using buttonex::ButtonEx;

// Every event as a line of text: "Click", "MouseMove 1 0 150 30", ...
struct Recorder : buttonex::ButtonExEvents {
    std::vector<std::string> log;
    std::function<void(ButtonEx&, const std::string&)> onEvent;
    void add(ButtonEx& b, std::string s) {
        log.push_back(s);
        if (onEvent) onEvent(b, s);
    }
    static std::string mouse(const char* n, int16_t b, int16_t s, float x, float y) {
        return std::string(n) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
               std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y));
    }
    void Click(ButtonEx& b) override { add(b, "Click"); }
    void KeyDown(ButtonEx& b, int16_t& k, int16_t& s) override {
        add(b, "KeyDown " + std::to_string(k) + " " + std::to_string(s));
    }
    void KeyPress(ButtonEx& b, int16_t& k) override { add(b, "KeyPress " + std::to_string(k)); }
    void KeyUp(ButtonEx& b, int16_t& k, int16_t& s) override {
        add(b, "KeyUp " + std::to_string(k) + " " + std::to_string(s));
    }
    void MouseDown(ButtonEx& b, int16_t& bt, int16_t& s, float& x, float& y) override {
        add(b, mouse("MouseDown", bt, s, x, y));
    }
    void MouseEnter(ButtonEx& b) override { add(b, "MouseEnter"); }
    void MouseExit(ButtonEx& b) override { add(b, "MouseExit"); }
    void MouseMove(ButtonEx& b, int16_t& bt, int16_t& s, float& x, float& y) override {
        add(b, mouse("MouseMove", bt, s, x, y));
    }
    void MouseUp(ButtonEx& b, int16_t& bt, int16_t& s, float& x, float& y) override {
        add(b, mouse("MouseUp", bt, s, x, y));
    }
    void OLEDragOver(ButtonEx& b, IDataObject*&, int32_t& effect, int16_t&, int16_t&, float&, float&,
                     int16_t& state) override {
        add(b, "OLEDragOver " + std::to_string(state));
        if (dragOverState >= 0) state = dragOverState;
        effect = 1;
    }
    void OLEDragDrop(ButtonEx& b, IDataObject*&, int32_t& effect, int16_t&, int16_t&, float&, float&) override {
        add(b, "OLEDragDrop");
        effect = 1;
    }
    void Resize(ButtonEx& b) override { add(b, "Resize"); }
    int count(const std::string& prefix) const {
        int n = 0;
        for (auto& l : log)
            if (l.rfind(prefix, 0) == 0) ++n;
        return n;
    }
    int16_t dragOverState = -1;
};

class TestForm : public ui::Window {
public:
    buttonex::ButtonExHost* host = nullptr;
    bool Make(int x, int y, int w, int h) {
        ClassInfo cls{"TollvaneButtonExTestForm"};
        cls.background = GetSysColorBrush(COLOR_3DFACE);
        CreateInfo info;
        info.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
        info.x = x;
        info.y = y;
        info.width = w;
        info.height = h;
        info.title = "ButtonEx test";
        return Create(cls, info);
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT r = 0;
        if (host && host->HandleFormMessage(msg, wParam, lParam, r)) return r;
        return Window::OnMessage(msg, wParam, lParam);
    }
};

// A picture made from a colour per pixel (a 24-bit bitmap object).
ui::Picture MakePicture(int w, int h, const std::function<COLORREF(int, int)>& colour);
ui::Picture SolidPicture(int w, int h, COLORREF c);
// A complete 24-bit BMP file.
std::vector<unsigned char> BmpFile(int w, int h, const std::function<COLORREF(int, int)>& colour);

struct Box {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;  // inclusive
    bool empty() const { return right < 0; }
    int width() const { return right - left + 1; }
};
// The bounding box of the surface's pixels that have the colour.
Box FindColour(const ButtonEx& b, COLORREF c);
int CountColour(const ButtonEx& b, COLORREF c);

class ButtonExTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new button on the form at (x, y) pixels with its defaults applied.
    std::unique_ptr<ButtonEx> NewButton(int x = 20, int y = 20);
    COLORREF FaceColour() const { return GetSysColor(COLOR_BTNFACE); }

    TestForm form;
    buttonex::ButtonExHost host;
    Recorder events;
    std::unique_ptr<ButtonEx> button;
    std::vector<std::string> changed;
    bool oleUp = false;
};

}  // namespace bxtest
