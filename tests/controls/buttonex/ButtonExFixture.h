// A container form for the button's Wine tests, an event recorder, pictures made
// pixel by pixel, and access to the button's private state.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>

#include "base/OleApartment.h"
#include "controls/buttonex/ButtonEx.h"
#include "controls/buttonex/ButtonExHost.h"
#include "ui/Window.h"

namespace buttonex {
struct ButtonExTestAccess {
    static int32_t& State(ButtonEx& b) { return b.m_State; }
    static bool& HasFocus(ButtonEx& b) { return b.m_bHasFocus; }
    static bool TimerOn(ButtonEx& b) { return b.Timer1.Enabled(); }
    static void Redraw(ButtonEx& b, int32_t state) { b.Redraw(state); }
    static IDropTarget* DropTarget(ButtonEx& b) { return b.dropTargetInterface(); }
};
}  // namespace buttonex

namespace bxtest {

using buttonex::ButtonEx;
using TA = buttonex::ButtonExTestAccess;

// Every event as a line of text: "Click", "MouseMove 1 0 150 30" (twips), ...
struct Recorder : buttonex::ButtonExEvents {
    std::vector<std::string> log;
    std::function<void(ButtonEx&, const std::string&)> onEvent;
    template <class... T>
    void add(ButtonEx& b, std::string s, T... v) {
        ((s += ' ' + std::to_string(static_cast<long>(v))), ...);
        log.push_back(s);
        if (onEvent) onEvent(b, s);
    }
    int count(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(log.begin(), log.end(), [&](auto& l) { return l.rfind(prefix, 0) == 0; }));
    }
    void Click(ButtonEx& b) override { add(b, "Click"); }
    void MouseEnter(ButtonEx& b) override { add(b, "MouseEnter"); }
    void MouseExit(ButtonEx& b) override { add(b, "MouseExit"); }
    void KeyDown(ButtonEx& b, int16_t& k, int16_t& s) override { add(b, "KeyDown", k, s); }
    void KeyPress(ButtonEx& b, int16_t& k) override { add(b, "KeyPress", k); }
    void KeyUp(ButtonEx& b, int16_t& k, int16_t& s) override { add(b, "KeyUp", k, s); }
    void MouseDown(ButtonEx& b, int16_t& t, int16_t& s, float& x, float& y) override {
        add(b, "MouseDown", t, s, x, y);
    }
    void MouseMove(ButtonEx& b, int16_t& t, int16_t& s, float& x, float& y) override {
        add(b, "MouseMove", t, s, x, y);
    }
    void MouseUp(ButtonEx& b, int16_t& t, int16_t& s, float& x, float& y) override { add(b, "MouseUp", t, s, x, y); }
    void OLEStartDrag(ButtonEx& b, IDataObject*&, int32_t&) override { add(b, "OLEStartDrag"); }
    void OLEDragOver(ButtonEx& b, IDataObject*&, int32_t&, int16_t&, int16_t&, float&, float&, int16_t& s) override {
        add(b, "OLEDragOver", s);
    }
    void OLEDragDrop(ButtonEx& b, IDataObject*&, int32_t& effect, int16_t&, int16_t&, float&, float&) override {
        add(b, "OLEDragDrop", effect);
    }
    void OLECompleteDrag(ButtonEx& b, int32_t& effect) override { add(b, "OLECompleteDrag", effect); }
};

class TestForm : public ui::Window {
public:
    buttonex::ButtonExHost host;
    bool Make() {
        ClassInfo cls{"TollvaneButtonExTestForm"};
        cls.background = GetSysColorBrush(COLOR_3DFACE);
        CreateInfo info;
        info.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
        info.x = info.y = 100, info.width = 400, info.height = 300;
        return Create(cls, info) && (host.Attach(hWnd()), true);
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT r = 0;
        return host.HandleFormMessage(msg, wParam, lParam, r) ? r : Window::OnMessage(msg, wParam, lParam);
    }
};

// A picture from a colour per pixel, made as a complete 24-bit BMP file (so that it can be saved again).
inline ui::Picture MakePicture(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    const int stride = (w * 3 + 3) & ~3, offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    std::vector<unsigned char> file(static_cast<size_t>(offset + stride * h));
    const BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(file.size()), 0, 0, static_cast<DWORD>(offset)};
    const BITMAPINFOHEADER ih{sizeof ih, w, h, 1, 24, BI_RGB, static_cast<DWORD>(stride * h), 0, 0, 0, 0};
    memcpy(file.data(), &fh, sizeof fh);
    memcpy(file.data() + sizeof fh, &ih, sizeof ih);
    for (int i = 0; i < w * h; ++i) {  // bottom-up rows, BGR
        const COLORREF c = colour(i % w, i / w);
        unsigned char* p = file.data() + offset + (h - 1 - i / w) * stride + i % w * 3;
        p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
    }
    return ui::Picture::FromFileBytes(file.data(), file.size());
}
inline ui::Picture SolidPicture(int w, int h, COLORREF c) {
    return MakePicture(w, h, [c](int, int) { return c; });
}

class ButtonExTest : public ::testing::Test {
protected:
    void SetUp() override {
        ole.emplace();  // as the program's UI thread runs: drag and drop work
        ASSERT_TRUE(form.Make());
        SetForegroundWindow(form.hWnd());
        button = NewButton();
    }
    void TearDown() override { button.reset(), ole.reset(); }
    // A new button on the form at (x, y) pixels with its defaults applied.
    std::unique_ptr<ButtonEx> NewButton(int x = 20, int y = 20, buttonex::ButtonExEvents* heard = nullptr) {
        auto b = std::make_unique<ButtonEx>(form.host, heard ? heard : &events);
        b->Create(form.hWnd(), x, y);
        b->InitProperties();
        return b;
    }
    int W() const { return button->Surface().Width(); }
    int H() const { return button->Surface().Height(); }

    std::optional<base::OleApartment> ole;
    TestForm form;
    buttonex::ButtonExHost& host = form.host;
    Recorder events;
    std::unique_ptr<ButtonEx> button;
};

}  // namespace bxtest
