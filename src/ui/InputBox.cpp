#include "ui/InputBox.h"

#include <vector>

#include "base/CallbackBoundary.h"
#include "resource.h"
#include "ui/DialogTemplate.h"
#include "ui/Language.h"

namespace ui {
namespace {

struct State {
    const std::wstring* initial;
    std::wstring result;
};

void centreOnScreen(HWND dialog) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT r{};
    GetWindowRect(dialog, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR handle(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            state = reinterpret_cast<State*>(lParam);
            SetDlgItemTextW(dialog, kInputBoxEditId, state->initial->c_str());
            centreOnScreen(dialog);
            SetForegroundWindow(dialog);
            HWND edit = GetDlgItem(dialog, kInputBoxEditId);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;  // focus set here
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                HWND edit = GetDlgItem(dialog, kInputBoxEditId);
                std::vector<wchar_t> buffer(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
                GetWindowTextW(edit, buffer.data(), static_cast<int>(buffer.size()));
                state->result = buffer.data();
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                state->result.clear();
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

INT_PTR CALLBACK inputBoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    // Nothing thrown may leave a procedure that the system calls (see base/CallbackBoundary.h).
    return base::CallbackBoundary(INT_PTR{FALSE}, [&] { return handle(dialog, msg, wParam, lParam); });
}

}  // namespace

std::wstring InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title, const std::wstring& initial) {
    DialogTemplate t(title, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND, 240, 82);
    using Control = DialogTemplate::Control;
    t.AddControl(Control::Static, kInputBoxPromptId, prompt, SS_LEFT, 7, 7, 170, 40);
    t.AddControl(Control::Button, IDOK, Text(IDS_BUTTON_OK), BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 7, 50, 14);
    t.AddControl(Control::Button, IDCANCEL, Text(IDS_BUTTON_CANCEL), BS_PUSHBUTTON | WS_TABSTOP, 184, 25, 50, 14);
    t.AddControl(Control::Edit, kInputBoxEditId, {}, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 58, 226, 14);
    State state{&initial, {}};
    const INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner, &inputBoxProc,
                                              reinterpret_cast<LPARAM>(&state));
    return r == IDOK ? state.result : std::wstring();
}

}  // namespace ui
