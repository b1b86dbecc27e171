// An in-memory dialog template, for the few small dialogs the program makes
// without a resource script.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace ui {

class DialogTemplate {
public:
    // Size and positions in dialog units.
    DialogTemplate(const std::wstring& title, DWORD style, short width, short height,
                   const std::wstring& font = L"MS Shell Dlg", WORD pointSize = 8);
    // The system's control classes, as a template names them by atom.
    enum class Control : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082 };
    void AddControl(Control control, WORD id, const std::wstring& text, DWORD style, short x, short y, short cx,
                    short cy);
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

private:
    void align();
    void word(WORD w) { data_.push_back(w); }
    void dword(DWORD d);
    void text(const std::wstring& s);
    std::vector<WORD> data_;
};

}  // namespace ui
