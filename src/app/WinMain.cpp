#include <windows.h>

#include "app/mMain.h"
#include "base/DllSearch.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    base::NarrowDllSearch();
    app::Main();
    return app::RunMessageLoop();
}
