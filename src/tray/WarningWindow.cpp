#include "tray/WarningWindow.h"

#include <algorithm>

namespace tray {
namespace {

constexpr UINT_PTR kInputCheckTimer = 1;
// At 96 dots per inch; scaled with the screen.
constexpr int kWidth = 320;
constexpr int kPadding = 10;
constexpr int kMargin = 8;  // from the corner of the work area

int scaled(int pixels) {
    const base::WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    return MulDiv(pixels, dpi > 0 ? dpi : 96, 96);
}

// A program whose window fills its screen (a presentation, a film, a game) keeps
// the screen: the warning then stands just beneath it instead of over it. The
// desktop fills the screen too, and does not count.
HWND fullScreenInFront() {
    HWND front = GetForegroundWindow();
    if (!front || front == GetDesktopWindow() || front == GetShellWindow()) return nullptr;
    char cls[16] = {};
    if (GetClassNameA(front, cls, sizeof cls) > 0 && (lstrcmpA(cls, "WorkerW") == 0 || lstrcmpA(cls, "Progman") == 0))
        return nullptr;
    RECT r{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(front, &r) || !GetMonitorInfoA(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &monitor))
        return nullptr;
    const RECT& m = monitor.rcMonitor;
    return r.left <= m.left && r.top <= m.top && r.right >= m.right && r.bottom >= m.bottom ? front : nullptr;
}

}  // namespace

WarningWindow::WarningWindow(const ui::Window& owner)
    : owner_(owner), inputCheck_(*this, kInputCheckTimer, kInputCheckMs, false, [this] { checkInput(); }) {}

bool WarningWindow::create() {
    if (IsCreated()) return true;
    ui::Window::ClassInfo cls{kWarningClass};
    ui::Window::CreateInfo info;
    info.style = WS_POPUP | WS_BORDER;
    // Top-most and never active; a tool window, so no taskbar button.
    info.exStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    info.x = info.y = 0;
    info.width = info.height = 1;
    info.parent = owner_.hWnd();
    if (!Create(cls, info)) return false;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    // The message font: it draws every language's words at the screen's scale.
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    return true;
}

void WarningWindow::Show(const std::wstring& text) {
    if (!create()) return;
    text_ = text;
    // The window text is what a screen reader reads out and other tools see.
    SetWindowTextW(hWnd(), text_.c_str());
    place();
    InvalidateRect(hWnd(), nullptr, TRUE);
    if (showing_) return;
    LASTINPUTINFO input{};
    input.cbSize = sizeof input;
    inputAtShow_ = GetLastInputInfo(&input) ? input.dwTime : 0;
    showing_ = true;
    ShowWindow(hWnd(), SW_SHOWNOACTIVATE);
    inputCheck_.SetEnabled(true);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, hWnd(), OBJID_CLIENT, CHILDID_SELF);
}

void WarningWindow::Hide() {
    inputCheck_.SetEnabled(false);
    if (!showing_) return;
    showing_ = false;
    if (IsCreated()) ShowWindow(hWnd(), SW_HIDE);
}

void WarningWindow::checkInput() {
    LASTINPUTINFO input{};
    input.cbSize = sizeof input;
    if (GetLastInputInfo(&input) && input.dwTime != inputAtShow_) Hide();
}

void WarningWindow::place() {
    const int padding = scaled(kPadding), iconSize = GetSystemMetrics(SM_CXICON);
    const int border = GetSystemMetrics(SM_CXBORDER);
    const int width = scaled(kWidth);
    RECT textRect{0, 0, width - 2 * border - 3 * padding - iconSize, 0};
    if (const base::WindowDc dc(hWnd()); dc.get()) {
        const base::SelectedObject font(dc.get(), font_.get());
        DrawTextW(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &textRect,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int height = std::max<int>(iconSize, textRect.bottom) + 2 * padding + 2 * border;
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const int margin = scaled(kMargin);
    HWND front = fullScreenInFront();
    // Beneath a full-screen program: first out of the top-most band, then after it.
    if (front) SetWindowPos(hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(hWnd(), front ? front : HWND_TOPMOST, work.right - width - margin, work.bottom - height - margin,
                 width, height, SWP_NOACTIVATE);
}

void WarningWindow::paint(HDC dc) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    const int padding = scaled(kPadding), iconSize = GetSystemMetrics(SM_CXICON);
    // The system's own warning icon, shared: not ours to destroy.
    DrawIcon(dc, padding, padding, LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WARNING)));
    RECT textRect{2 * padding + iconSize, padding, client.right - padding, client.bottom - padding};
    const base::SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &textRect, DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT WarningWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // a click is input: it ends the warning, and must not take the focus
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_PAINT:
            return PaintWith([this](HDC dc) { paint(dc); });
        default:
            return ui::Window::OnMessage(msg, wParam, lParam);
    }
}

}  // namespace tray
