#include "ui/DialogTemplate.h"

namespace ui {

DialogTemplate::DialogTemplate(const std::wstring& title, DWORD style, short width, short height,
                               const std::wstring& font, WORD pointSize) {
    dword(style | DS_SETFONT);
    dword(0);  // extended style
    word(0);   // control count, counted up by AddControl
    word(0);
    word(0);
    word(static_cast<WORD>(width));
    word(static_cast<WORD>(height));
    word(0);  // no menu
    word(0);  // the standard dialog class
    text(title);
    word(pointSize);
    text(font);
}

void DialogTemplate::AddControl(Control control, WORD id, const std::wstring& caption, DWORD style, short x, short y,
                                short cx, short cy) {
    align();
    dword(style | WS_CHILD | WS_VISIBLE);
    dword(0);
    word(static_cast<WORD>(x));
    word(static_cast<WORD>(y));
    word(static_cast<WORD>(cx));
    word(static_cast<WORD>(cy));
    word(id);
    word(0xFFFF);  // a class atom follows
    word(static_cast<WORD>(control));
    text(caption);
    word(0);     // no creation data
    ++data_[4];  // cdit: the fifth WORD of DLGTEMPLATE
}

void DialogTemplate::align() {
    if (data_.size() % 2 != 0) word(0);  // DLGITEMTEMPLATE starts on a DWORD boundary
}

void DialogTemplate::dword(DWORD d) {
    word(LOWORD(d));
    word(HIWORD(d));
}

void DialogTemplate::text(const std::wstring& s) {
    for (wchar_t c : s) word(static_cast<WORD>(c));
    word(0);
}

}  // namespace ui
