// What a screen reader hears of the splash and the About box, asked as one asks:
// through oleacc, from another process.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "forms/frmAbout.h"
#include "resource.h"
#include "support/Tollvane.h"
#include "ui/Language.h"

namespace {

using base::ComPtr;

ComPtr<IAccessible> object(HWND w, DWORD id) {
    ComPtr<IAccessible> a;
    AccessibleObjectFromWindow(w, id, __uuidof(IAccessible), reinterpret_cast<void**>(a.put()));
    return a;
}

struct Heard {
    long role = 0, state = 0;
    std::wstring name, value, action;
};
// One of the object's texts ("" when it has none).
template <class Get>
std::wstring text(Get get) {
    BSTR b = nullptr;
    std::wstring s = SUCCEEDED(get(&b)) && b ? b : L"";
    SysFreeString(b);
    return s;
}
Heard hear(IAccessible* a) {
    Heard h;
    if (!a) return h;
    VARIANT self{}, v{};
    self.vt = VT_I4, self.lVal = CHILDID_SELF;
    if (SUCCEEDED(a->get_accRole(self, &v)) && v.vt == VT_I4) h.role = v.lVal;
    VariantInit(&v);
    if (SUCCEEDED(a->get_accState(self, &v)) && v.vt == VT_I4) h.state = v.lVal;
    h.name = text([&](BSTR* b) { return a->get_accName(self, b); });
    h.value = text([&](BSTR* b) { return a->get_accValue(self, b); });
    h.action = text([&](BSTR* b) { return a->get_accDefaultAction(self, b); });
    return h;
}

// The children of a window's client area, in the order oleacc gives them.
std::vector<HWND> children(HWND w) {
    ComPtr<IAccessible> box = object(w, OBJID_CLIENT);
    long count = 0, got = 0;
    if (!box || FAILED(box->get_accChildCount(&count)) || count <= 0) return {};
    std::vector<VARIANT> kids(static_cast<size_t>(count));
    AccessibleChildren(box.get(), 0, count, kids.data(), &got);
    std::vector<HWND> out;
    for (long i = 0; i < got; ++i) {
        HWND child = nullptr;
        if (kids[static_cast<size_t>(i)].vt == VT_DISPATCH)
            if (auto a = ComPtr<IDispatch>::attach(kids[static_cast<size_t>(i)].pdispVal)
                             .as<IAccessible>(__uuidof(IAccessible)))
                WindowFromAccessibleObject(a.get(), &child);
        out.push_back(child);
    }
    return out;
}

std::vector<std::pair<HWND, LONG>> gFocusEvents;
void CALLBACK onFocus(HWINEVENTHOOK, DWORD, HWND w, LONG id, LONG, DWORD, DWORD) { gFocusEvents.emplace_back(w, id); }

HWND focusOf(HWND w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info) ? info.hwndFocus : nullptr;
}

TEST(ScreenReader, HearsTheSplashAndTheAboutBoxAndPressesItsButtons) {
    base::ComApartment com;
    const std::string browser = wintest::TempFolder("reader") + "\\browser.exe";
    ASSERT_TRUE(CopyFileA(wintest::BuiltProgram("forms_recorder.exe").c_str(), browser.c_str(), FALSE));
    wintest::LentRegValue handler(HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command");
    handler.Set("\"" + browser + "\" \"%1\"");
    wintest::Tollvane t(0);
    ASSERT_TRUE(t.Started());

    // The splash, up for two seconds from the start: the product's name, its caption unchanged.
    const HWND splash = t.FindWindowOf("TollvaneSplash");
    ASSERT_NE(splash, nullptr) << "the splash was gone before the main window came";
    EXPECT_EQ(hear(object(splash, OBJID_CLIENT).get()).name, L"Tollvane");
    EXPECT_EQ(hear(object(splash, OBJID_WINDOW).get()).name, L"Tollvane");
    EXPECT_EQ(wintest::WindowText(splash), "Borderless...");

    ASSERT_TRUE(t.Choose(wintest::Tollvane::About));
    HWND about = nullptr;
    ASSERT_TRUE(wintest::WaitUntil([&] { return (about = t.FindWindowOf(forms::kAboutClass)) != nullptr; }, 5000));
    wintest::Pump(300);

    // Top to bottom: the texts as static text, the link, then the two buttons.
    const std::vector<HWND> kids = children(about);
    ASSERT_EQ(kids.size(), 7u);
    const int labels[] = {forms::kIdCaption, forms::kIdVersion, forms::kIdDescription, forms::kIdDisclaimer,
                          forms::kIdWebLink};
    for (size_t i = 0; i < 5; ++i) {
        const Heard h = hear(object(kids[i], OBJID_CLIENT).get());
        EXPECT_EQ(GetDlgCtrlID(kids[i]), labels[i]) << "child " << i;
        EXPECT_EQ(h.name, base::FromAnsi(wintest::WindowText(kids[i]))) << "child " << i;
        EXPECT_EQ(h.role, i < 4 ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_LINK) << "child " << i;
    }
    const ComPtr<IAccessible> link = object(kids[4], OBJID_CLIENT);
    EXPECT_EQ(hear(link.get()).value, forms::kHomePage);
    EXPECT_EQ(hear(link.get()).action, ui::Text(IDS_ACTION_JUMP));

    const HWND sysInfo = kids[5], exit = kids[6];
    const ComPtr<IAccessible> sysInfoHeard = object(sysInfo, OBJID_CLIENT), exitHeard = object(exit, OBJID_CLIENT);
    for (const auto& [button, name] :
         {std::pair{sysInfoHeard.get(), L"SysInfo"}, std::pair{exitHeard.get(), L"Exit"}}) {
        const Heard h = hear(button);
        EXPECT_EQ(h.name, name);
        EXPECT_EQ(h.role, ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(h.state & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED),
                  STATE_SYSTEM_FOCUSABLE)
            << name;
        EXPECT_EQ(h.action, ui::Text(IDS_ACTION_PRESS)) << name;
    }

    // Held down: pressed and focused; let go elsewhere: neither pressed nor clicked.
    PostMessageA(sysInfo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(wintest::WaitUntil([&] { return hear(sysInfoHeard.get()).state & STATE_SYSTEM_PRESSED; }, 3000));
    EXPECT_EQ(focusOf(about), sysInfo);
    EXPECT_TRUE(hear(sysInfoHeard.get()).state & STATE_SYSTEM_FOCUSED);
    PostMessageA(sysInfo, WM_LBUTTONUP, 0, MAKELPARAM(-40, -40));
    EXPECT_TRUE(wintest::WaitUntil([&] { return !(hear(sysInfoHeard.get()).state & STATE_SYSTEM_PRESSED); }, 3000));

    // Tab: the focus, and a reader following it, go to Exit.
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, onFocus, t.Pid(), 0, WINEVENT_OUTOFCONTEXT);
    PostMessageA(sysInfo, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(wintest::WaitUntil([&] { return focusOf(about) == exit; }, 3000));
    EXPECT_TRUE(wintest::WaitUntil(
        [&] {
            return std::count(gFocusEvents.begin(), gFocusEvents.end(), std::pair{exit, LONG(OBJID_CLIENT)});
        },
        3000));
    UnhookWinEvent(hook);
    EXPECT_EQ(hear(sysInfoHeard.get()).state & STATE_SYSTEM_FOCUSED, 0);
    EXPECT_TRUE(hear(exitHeard.get()).state & STATE_SYSTEM_FOCUSED);

    // The link's action opens the home page; Exit's closes the box, and the reader
    // still holding the button hears that it is gone.
    VARIANT self{};
    self.vt = VT_I4, self.lVal = CHILDID_SELF;
    EXPECT_EQ(link->accDoDefaultAction(self), S_OK);
    EXPECT_TRUE(wintest::WaitUntil([&] { return !wintest::ReadFileText(browser + ".log").empty(); }, 10000));
    EXPECT_EQ(wintest::ReadFileText(browser + ".log"),
              "\"" + browser + "\" \"" + base::ToAnsi(forms::kHomePage) + "\"\n");
    EXPECT_EQ(exitHeard->accDoDefaultAction(self), S_OK);
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindow(about); }, 5000));
    BSTR gone = nullptr;
    EXPECT_TRUE(FAILED(exitHeard->get_accName(self, &gone)));
    EXPECT_TRUE(t.Running());
}

}  // namespace
