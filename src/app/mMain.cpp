#include "app/mMain.h"

#include <windows.h>

#include "app/frmMain.h"
#include "forms/frmSplash.h"
#include "ui/Form.h"

namespace app {

void Main() {
    forms::ShowSplash();
    frmMain().Load();
    frmMain().Show();
}

int RunMessageLoop() {
    if (ui::Form::LoadedCount() == 0) return 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Keyboard navigation (Tab, access keys) in the modeless forms.
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageA(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace app
