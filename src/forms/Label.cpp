#include "forms/Label.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/Text.h"
#include "ui/CommonControls.h"
#include "ui/Window.h"

namespace forms {
namespace {
constexpr char kLabelClass[] = "TollvaneLabel";
}

Label::~Label() { Destroy(); }

bool Label::Create(HWND parent, int id, const RECT& bounds, bool takesMouse, bool tabStop) {
    Destroy();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, kLabelClass, &wc)) {
        wc = WNDCLASSA{};
        wc.lpfnWndProc = &Label::WndProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = kLabelClass;
        RegisterClassA(&wc);
    }
    takesMouse_ = takesMouse;
    const DWORD style = WS_CHILD | WS_VISIBLE | (tabStop ? WS_TABSTOP : 0);
    hwnd_ = CreateWindowExA(0, kLabelClass, "", style, bounds.left, bounds.top, bounds.right - bounds.left,
                            bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            instance, nullptr);
    if (!hwnd_) return false;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void Label::Destroy() noexcept {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    accessible_.Disconnect();
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
    // Only after the window that used it is gone.
    font_.reset();
    tip_.clear();
    pressed_ = false;
}

void Label::SetCaption(std::wstring_view text) {
    if (hwnd_) SetWindowTextA(hwnd_, base::ToAnsi(text).c_str());
}

std::wstring Label::Caption() const {
    if (!hwnd_) return {};
    const int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return base::FromAnsi(text);
}

void Label::SetForeColor(COLORREF color) {
    color_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Label::SetFont(base::UniqueFont font) {
    font_ = std::move(font);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Label::SetToolTipText(std::wstring_view text) {
    tip_.assign(text);
    if (!hwnd_) return;
    const std::string ansi = base::ToAnsi(tip_);
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(hwnd_);
    info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    info.lpszText = const_cast<char*>(ansi.c_str());
    if (!tooltip_) {
        ui::UseCommonControls(ICC_BAR_CLASSES);
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

void Label::Paint(HWND hwnd) {
    // Read first: nothing may fail between BeginPaint and EndPaint.
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    // The form chooses the colours, as it would for a static control.
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ old = font_ ? SelectObject(dc, font_.get()) : nullptr;
    // No prefix processing: captions come from tables and settings, and an
    // ampersand in one must show as itself.
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    if (GetFocus() == hwnd && (SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) {
        // Around the text, as far as the label reaches.
        RECT cue = client;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cue,
                  DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        cue.right = std::min(cue.right + 2, client.right);
        cue.bottom = std::min(cue.bottom, client.bottom);
        DrawFocusRect(dc, &cue);
    }
    if (old) SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK Label::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return Handle(hwnd, msg, wParam, lParam);
    } catch (...) {
        return ui::Window::Dropped(hwnd, msg);
    }
}

LRESULT Label::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* label = reinterpret_cast<Label*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!label) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (LRESULT answer = 0; label->accessible_.Answer(hwnd, msg, wParam, lParam, answer)) return answer;
    switch (msg) {
        case WM_PAINT:
            label->Paint(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(label->font_.get());
        case WM_NCHITTEST:
            if (!label->takesMouse_) return HTTRANSPARENT;
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_UPDATEUISTATE: {
            const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            if (label->OnKey && label->OnKey(static_cast<UINT>(wParam))) return 0;
            break;
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
            // Last: the handler may close the form, and this window with it.
            if (wasPressed && PtInRect(&client, p) && label->OnClick) label->OnClick();
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace forms
