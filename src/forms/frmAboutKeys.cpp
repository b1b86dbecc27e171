// The About box's keyboard, as a dialog's: Tab and Shift+Tab go round the link
// and the two buttons in tab order; Enter presses the focused button (or opens
// the link, as Space does too); Esc presses Exit. The box does without the
// dialog manager, so it gives these keys their meaning itself.
#include "forms/frmAbout.h"

namespace forms {

void FrmAbout::AttachKeys() {
    lblWebLink.OnKey = [this](UINT key) { return DialogKey(lblWebLink.hWnd(), key); };
    host_.onDialogKey = [this](buttonex::ButtonEx& button, UINT key) { return DialogKey(button.hWnd(), key); };
    // Focus cues as the person's setting and the last input say: a box opened
    // with the mouse shows none until the keyboard is used.
    SendMessageA(hWnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS), 0);
}

bool FrmAbout::DialogKey(HWND from, UINT key) {
    const bool onLink = from == lblWebLink.hWnd();
    switch (key) {
        case VK_TAB:
            if (HWND next = GetNextDlgTabItem(hWnd(), from, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
            SendMessageA(hWnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            return true;
        case VK_ESCAPE:
            // Last: pressing Exit unloads the box, the pressed control with it.
            if (bExit.get()) bExit->OnAccessKeyPress(VK_ESCAPE);
            return true;
        case VK_RETURN:
        case VK_SPACE:
            if (onLink) {
                if (lblWebLink.OnClick) lblWebLink.OnClick();
                return true;
            }
            // Space is a plain key on the buttons; Enter presses the focused one.
            for (const AboutButton* b : {&bSysInfo, &bExit})
                if (key == VK_RETURN && b->hWnd() == from) {
                    (*b)->OnAccessKeyPress('\r');
                    return true;
                }
            return false;
        default:
            return false;
    }
}

}  // namespace forms
