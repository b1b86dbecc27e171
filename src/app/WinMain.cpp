#include <windows.h>
#include <commctrl.h>

#include "app/mMain.h"
#include "base/OleApartment.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // OLE, not only COM: the buttons' drag and drop needs it on this thread.
    base::OleApartment ole;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    app::Main();
    return app::RunMessageLoop();
}
