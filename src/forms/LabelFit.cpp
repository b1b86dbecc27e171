#include "forms/LabelFit.h"

#include <string>

namespace forms {

int TextHeightFor(const Label& label) {
    HWND hwnd = label.hWnd();
    if (!hwnd) return 0;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    RECT client{};
    GetClientRect(hwnd, &client);
    HDC dc = GetDC(hwnd);
    if (!dc) return 0;
    const HGDIOBJ old = label.Font() ? SelectObject(dc, label.Font()) : nullptr;
    // The same flags as the label's painting, so that the lines break alike.
    RECT needed{0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    if (old) SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return needed.bottom - needed.top;
}

void GrowToFitText(Label& label) {
    RECT client{};
    if (!label.hWnd() || !GetClientRect(label.hWnd(), &client)) return;
    const int needed = TextHeightFor(label);
    if (needed > client.bottom)
        SetWindowPos(label.hWnd(), nullptr, 0, 0, client.right, needed, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace forms
