#include "forms/Label.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/Text.h"

namespace forms {
namespace {
constexpr UINT_PTR kSubclassId = 0x4C42;  // "LB"
}

Label::~Label() { Destroy(); }

bool Label::Create(HWND parent, int id, const RECT& bounds, bool takesMouse) {
    Destroy();
    // No prefix processing: captions come from tables and settings, and an
    // ampersand in one must show as itself.
    DWORD style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    if (takesMouse) style |= SS_NOTIFY;
    hwnd_ = CreateWindowExA(0, "STATIC", "", style, bounds.left, bounds.top, bounds.right - bounds.left,
                            bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) return false;
    if (takesMouse) SetWindowSubclass(hwnd_, &Label::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void Label::Destroy() noexcept {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    if (hwnd_ && IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, &Label::SubclassProc, kSubclassId);
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
    // Only after the window that used it is gone.
    font_.reset();
    tip_.clear();
    pressed_ = false;
}

void Label::SetCaption(std::wstring_view text) {
    if (hwnd_) SetWindowTextA(hwnd_, ui::ToAnsi(text).c_str());
}

std::wstring Label::Caption() const {
    if (!hwnd_) return {};
    const int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return ui::FromAnsi(text);
}

void Label::SetForeColor(COLORREF color) {
    color_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Label::SetFont(ui::UniqueFont font) {
    if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
}

void Label::SetToolTipText(std::wstring_view text) {
    tip_.assign(text);
    if (!hwnd_) return;
    const std::string ansi = ui::ToAnsi(tip_);
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(hwnd_);
    info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    info.lpszText = const_cast<char*>(ansi.c_str());
    if (!tooltip_) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, info.hwnd, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        if (tooltip_) SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    } else {
        SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

HBRUSH Label::CtlColor(HWND control, HDC dc, HBRUSH background) const noexcept {
    if (!hwnd_ || control != hwnd_) return nullptr;
    SetTextColor(dc, color_);
    SetBkMode(dc, TRANSPARENT);
    return background;
}

LRESULT CALLBACK Label::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self) {
    (void)id;
    auto* label = reinterpret_cast<Label*>(self);
    switch (msg) {
        case WM_MOUSEMOVE:
            if (label->OnMouseMove) label->OnMouseMove();
            break;
        case WM_LBUTTONDOWN:
            label->pressed_ = true;
            SetCapture(hwnd);
            break;
        case WM_CAPTURECHANGED:
            label->pressed_ = false;
            break;
        case WM_LBUTTONUP: {
            const bool wasPressed = label->pressed_;
            label->pressed_ = false;
            if (GetCapture() == hwnd) ReleaseCapture();
            RECT client{};
            GetClientRect(hwnd, &client);
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
            // Last: the handler may close the form, and this window with it.
            if (wasPressed && PtInRect(&client, p) && label->OnClick) label->OnClick();
            return result;
        }
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace forms
