#include <windows.h>
#include <commctrl.h>

#include "app/mMain.h"
#include "base/DllSearch.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    base::NarrowDllSearch();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    app::Main();
    return app::RunMessageLoop();
}
