#include <windows.h>
#include <commctrl.h>

#include "app/mMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    app::Main();
    return app::RunMessageLoop();
}
