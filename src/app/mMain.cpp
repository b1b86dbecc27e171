#include "app/mMain.h"

#include <windows.h>

#include "app/frmMain.h"
#include "forms/frmSplash.h"
#include "services/EventLog.h"
#include "ui/Form.h"

namespace app {

void Main() {
    forms::ShowSplash();
    frmMain().Load();
    // Asked to exit while it loaded (say, by an installer): showing it would load it again.
    // Shown only to be hidden again: it takes the foreground from no one.
    if (frmMain().IsLoaded()) frmMain().Show(false);
}

namespace {
// What was reported goes out before the process ends; an event log service that
// does not answer holds the exit up no longer than this.
constexpr DWORD kEventsAtExitMs = 2000;
}  // namespace

int RunMessageLoop() {
    int code = 0;
    if (ui::Form::LoadedCount() != 0) {
        MSG msg;
        // No dialog-manager filtering here: the About box's buttons take Tab, Enter and
        // their access keys themselves, through their container.
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        code = static_cast<int>(msg.wParam);
    }
    services::ProgramEventLog().Flush(kEventsAtExitMs);
    return code;
}

}  // namespace app
