// The button's window: showing the surface, and turning the platform's focus,
// key and mouse messages into the button's notifications; the hover poll.
#include <windowsx.h>

#include "controls/buttonex/ButtonEx.h"

namespace buttonex {

namespace {
constexpr const char* kClassName = "TollvaneButtonEx";
}

bool ButtonEx::Create(HWND parent, int x, int y, int tabIndex) {
    if (IsCreated()) return true;
    tabIndex_ = tabIndex;
    ClassInfo cls{kClassName};
    CreateInfo info;
    info.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS;
    info.parent = parent;
    info.x = x;
    info.y = y;
    info.width = surface_.Width();
    info.height = surface_.Height();
    if (!Window::Create(cls, info)) return false;
    EnableWindow(hWnd(), surfaceEnabled_);
    appliedShape_ = false;
    ApplyShape();
    RegisterDropTarget();
    container_.Sited(*this);
    return true;
}

int16_t ButtonEx::ShiftState() {
    int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

void ButtonEx::SetCursorShape() {
    static const struct {
        int32_t pointer;
        LPCSTR cursor;
    } kCursors[] = {
        {1, IDC_ARROW},    {2, IDC_CROSS},  {3, IDC_IBEAM},        {4, IDC_ARROW},  {5, IDC_SIZEALL},
        {6, IDC_SIZENESW}, {7, IDC_SIZENS}, {8, IDC_SIZENWSE},     {9, IDC_SIZEWE}, {10, IDC_UPARROW},
        {11, IDC_WAIT},    {12, IDC_NO},    {13, IDC_APPSTARTING}, {14, IDC_HELP},  {15, IDC_SIZEALL},
    };
    HCURSOR cursor = nullptr;
    if (surfaceMousePointer_ == 99 && surfaceMouseIcon_.Type() == PICTYPE_ICON)
        cursor = static_cast<HCURSOR>(surfaceMouseIcon_.Handle());
    for (const auto& c : kCursors)
        if (c.pointer == surfaceMousePointer_) cursor = LoadCursorA(nullptr, c.cursor);
    SetCursor(cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW));
}

LRESULT ButtonEx::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (LRESULT answer = 0; accessible_.Answer(hWnd(), msg, wParam, lParam, answer)) return answer;
    switch (msg) {
        case WM_PAINT:
            return PaintWith([this](HDC dc) {
                BitBlt(dc, 0, 0, surface_.Width(), surface_.Height(), surface_.Dc(), 0, 0, SRCCOPY);
            });
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE: {
            const int w = LOWORD(lParam), h = HIWORD(lParam);
            if (w != surface_.Width() || h != surface_.Height()) {
                surface_.Resize(w, h);
                OnResize();
            }
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursorShape();
                return TRUE;
            }
            break;
        case WM_SETFOCUS:
            OnGotFocus();
            return 0;
        case WM_KILLFOCUS:
            OnLostFocus();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            if (wParam == VK_TAB && container_.RouteTab(*this, GetKeyState(VK_SHIFT) < 0)) return 0;
            int16_t KeyCode = static_cast<int16_t>(wParam & 0xFFFF), Shift = ShiftState();
            const auto alive = Lifeline();
            OnKeyDown(KeyCode, Shift);
            if (msg == WM_SYSKEYDOWN && *alive) break;
            return 0;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            int16_t KeyCode = static_cast<int16_t>(wParam & 0xFFFF), Shift = ShiftState();
            const auto alive = Lifeline();
            OnKeyUp(KeyCode, Shift);
            if (msg == WM_SYSKEYUP && *alive) break;
            return 0;
        }
        case WM_CHAR: {
            if (wParam == '\t') return 0;  // Tab moved the focus; it is no key press
            if ((wParam == '\r' || wParam == 0x1B) &&
                container_.RouteDialogKey(*this, wParam == '\r' ? VK_RETURN : VK_ESCAPE))
                return 0;  // the handler may have closed the form, and this button with it
            int16_t KeyAscii = static_cast<int16_t>(wParam & 0xFF);
            OnKeyPress(KeyAscii);
            return 0;
        }
        case WM_UPDATEUISTATE: {
            const LRESULT r = Window::OnMessage(msg, wParam, lParam);  // the platform keeps the state
            if (m_bHasFocus) Repaint();
            return r;
        }
        case WM_SYSCHAR:
            if (container_.RouteAccessKey(static_cast<wchar_t>(static_cast<unsigned char>(wParam & 0xFF)))) return 0;
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
            MouseMessage(msg, wParam, lParam);
            return 0;
        case kRaiseResize: {
            std::vector<EventArg> none;
            RaiseEvents("Resize", none);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd()) {
                leftHeld_ = false;
                heldButtons_ = 0;
            }
            break;
        case WM_DESTROY:
            // The parent may destroy the window and create it again later (a form
            // unloaded and loaded again): nothing of this window's life carries over.
            RevokeDropTarget();
            Timer1.SetEnabled(false);
            leftHeld_ = false;
            heldButtons_ = 0;
            appliedShape_ = false;
            appliedShapePicture_ = ui::Picture();
            container_.Unsited(*this);
            break;
        default:
            break;
    }
    return Window::OnMessage(msg, wParam, lParam);
}

void ButtonEx::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const float x = static_cast<float>(GET_X_LPARAM(lParam)), y = static_cast<float>(GET_Y_LPARAM(lParam));
    int16_t shift = 0;
    if (wParam & MK_SHIFT) shift |= 1;
    if (wParam & MK_CONTROL) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    int16_t held = 0;
    if (wParam & MK_LBUTTON) held |= 1;
    if (wParam & MK_RBUTTON) held |= 2;
    if (wParam & MK_MBUTTON) held |= 4;

    int16_t button = 0;
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            button = 1;
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            button = 2;
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            button = 4;
            break;
        default:
            break;
    }
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (button == 1) {
                if (GetFocus() != hWnd()) SetFocus(hWnd());
                leftHeld_ = true;
            }
            if (heldButtons_ == 0) container_.CapturePointer(*this, true);
            heldButtons_ = static_cast<int16_t>(heldButtons_ | button);
            OnMouseDown(button, shift, x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const bool wasPressedHere = button == 1 && leftHeld_;
            if (button == 1) leftHeld_ = false;
            heldButtons_ = static_cast<int16_t>(heldButtons_ & ~button);
            if (heldButtons_ == 0) container_.CapturePointer(*this, false);
            const auto alive = Lifeline();
            OnMouseUp(button, shift, x, y);
            // A click: the left button went down and came up over the button's visible part.
            if (wasPressedHere && *alive && IsCreated()) {
                POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                RECT client;
                GetClientRect(hWnd(), &client);
                bool inside = PtInRect(&client, pt) != FALSE;
                if (inside && appliedShape_) {
                    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
                    if (GetWindowRgn(hWnd(), rgn) != ERROR) inside = PtInRegion(rgn, pt.x, pt.y) != FALSE;
                    DeleteObject(rgn);
                }
                if (inside) OnClick();
            }
            break;
        }
        default:
            OnMouseMove(held, shift, x, y);
            break;
    }
}

// ---------------------------------------------------------------- mouse tracking

void ButtonEx::OnMouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    if (Button == 1) {
        // Each left press flips the toggle's latch.
        m_Value = m_State == Down ? 1 : 0;
        Redraw(Down);
    }
    float tx = X * TwipsPerPixelX(), ty = Y * TwipsPerPixelY();
    std::vector<EventArg> args{&Button, &Shift, static_cast<double>(tx), static_cast<double>(ty)};
    RaiseEvents("MouseDown", args);
}

void ButtonEx::OnMouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    if (ReadUserMode() && !Timer1.Enabled()) {
        Timer1.SetEnabled(true);  // the first move only starts tracking
    } else if (Button == 0 && m_State != Over) {
        Redraw(Over);
    } else if (Button == 1 && m_State != Down) {
        Redraw(Down);
    }
    if (layout::PointerInside(X, Y, surface_.Width(), surface_.Height())) {
        std::vector<EventArg> none;
        const auto alive = Lifeline();
        RaiseEvents("MouseEnter", none);
        if (!*alive) return;
        std::vector<EventArg> args{&Button, &Shift, static_cast<double>(X * TwipsPerPixelX()),
                                   static_cast<double>(Y * TwipsPerPixelY())};
        RaiseEvents("MouseMove", args);
    }
}

void ButtonEx::OnMouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    if (Button == 1) {
        Timer1.SetEnabled(false);
        Redraw(Up);
    }
    std::vector<EventArg> args{&Button, &Shift, static_cast<double>(X * TwipsPerPixelX()),
                               static_cast<double>(Y * TwipsPerPixelY())};
    RaiseEvents("MouseUp", args);
}

void ButtonEx::HoverPoll() {
    if (!IsCreated()) return;
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(hWnd(), &pt);
    if (layout::PointerInside(pt.x, pt.y, surface_.Width(), surface_.Height())) return;
    Timer1.SetEnabled(false);
    std::vector<EventArg> none;
    const auto alive = Lifeline();
    RaiseEvents("MouseExit", none);  // recorded before the repaint, which reads it
    if (*alive && m_State != Up) Redraw(Up);
}

}  // namespace buttonex
