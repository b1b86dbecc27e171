// The focus cue of a skinned button. A skin without a focus picture would show
// a focused button exactly like the others, so the button draws the platform's
// dotted focus rectangle inset in its face, as a push button does. Like a push
// button's, it waits for the keyboard where the person's setting hides focus
// cues until then (the window's UI state, which the container clears on Tab).
#include "controls/buttonex/ButtonEx.h"

namespace buttonex {

bool ButtonEx::KeyboardCuesShown() const {
    if (!IsCreated()) return true;
    return (SendMessageA(hWnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

void ButtonEx::DrawFocusCue(bool focus) {
    // Drawn once, by the outermost repaint: the rectangle inverts what lies
    // beneath it, so a second one over a nested repaint's would erase it.
    if (!focus || painting_ != 1 || !m_Enabled || m_Appearance != 2 || !m_SkinUp.IsPresent() || m_SkinFocus.Handle())
        return;
    if (!KeyboardCuesShown()) return;
    const int sw = surface_.Width(), sh = surface_.Height();
    if (sw <= 8 || sh <= 8) return;
    RECT r{4, 4, sw - 4, sh - 4};
    DrawFocusRect(surface_.Dc(), &r);
}

}  // namespace buttonex
