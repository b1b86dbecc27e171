#include <windows.h>
#include <commctrl.h>

#include "app/mMain.h"
#include "base/Handles.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    base::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    app::Main();
    return app::RunMessageLoop();
}
