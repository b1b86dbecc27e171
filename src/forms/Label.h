// A label on a form: a child window of our own that paints one caption in its
// own font and colour on the form's background, with an optional tooltip. A
// label that takes the mouse reports moves and clicks; the others let the mouse
// through to the form beneath them. (The common controls' static control would
// do the same, but under Wine it keeps a little memory for good for every
// window drawn with a font of its own, and the About box makes five at every
// opening.)
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "base/Handles.h"
#include "ui/Accessible.h"

namespace forms {

class Label {
public:
    Label() = default;
    ~Label();
    Label(const Label&) = delete;
    Label& operator=(const Label&) = delete;

    // bounds in the parent's client pixels. takesMouse: the label receives mouse
    // moves and clicks (see OnMouseMove, OnClick) instead of the form. tabStop:
    // the label takes the keyboard focus in the form's tab order (see OnKey), and
    // shows it with a focus rectangle around its text.
    bool Create(HWND parent, int id, const RECT& bounds, bool takesMouse, bool tabStop = false);
    // Destroys the window and its tooltip and drops the font; the handlers stay.
    void Destroy() noexcept;

    HWND hWnd() const noexcept { return hwnd_; }

    void SetCaption(std::wstring_view text);
    std::wstring Caption() const;

    COLORREF ForeColor() const noexcept { return color_; }
    // Sets the colour and repaints the label.
    void SetForeColor(COLORREF color);

    // The label keeps the font for as long as it keeps its window.
    void SetFont(base::UniqueFont font);
    HFONT Font() const noexcept { return font_.get(); }

    void SetToolTipText(std::wstring_view text);
    std::wstring ToolTipText() const { return tip_; }
    // The tooltip window, once a tooltip text was set.
    HWND ToolTipWindow() const noexcept { return tooltip_; }

    // Screen readers hear a label as static text; one given an address, as a link
    // to it, whose default action is a click.
    void SetLinkAddress(std::wstring_view address) { linkAddress_.assign(address); }

    std::function<void()> OnMouseMove;
    // A press and a release of the left button, both over the label.
    std::function<void()> OnClick;
    // A key pressed while the label has the focus (its virtual-key code); true
    // when the handler took it. The handler may destroy the label.
    std::function<bool(UINT)> OnKey;

    // For the parent's WM_CTLCOLORSTATIC, which the label sends as a static control
    // does: the label's colour on the form's background brush. Returns nullptr for
    // a window that is not this label.
    HBRUSH CtlColor(HWND control, HDC dc, HBRUSH background) const noexcept;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HWND hwnd);

    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    COLORREF color_ = 0;
    base::UniqueFont font_;
    std::wstring tip_;
    bool pressed_ = false;
    bool takesMouse_ = false;

    // LabelAccessible.cpp
    ui::AccessibleFacts DescribeForReaders() const;
    std::wstring linkAddress_;
    ui::Accessible accessible_{OBJID_CLIENT, [this] { return DescribeForReaders(); },
                               [this] {
                                   if (OnClick) OnClick();
                               }};
};

}  // namespace forms
