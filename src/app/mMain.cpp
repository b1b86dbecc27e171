#include "app/mMain.h"

#include <windows.h>

#include "app/frmMain.h"
#include "forms/frmSplash.h"
#include "ui/Form.h"

namespace app {

void Main() {
    forms::ShowSplash();
    frmMain().Load();
    // Asked to exit while it loaded (say, by an installer): showing it would load it again.
    // Shown only to be hidden again: it takes the foreground from no one.
    if (frmMain().IsLoaded()) frmMain().Show(false);
}

int RunMessageLoop() {
    if (ui::Form::LoadedCount() == 0) return 0;
    MSG msg;
    // No dialog-manager filtering here: the About box's buttons take Tab, Enter and
    // their access keys themselves, through their container.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace app
