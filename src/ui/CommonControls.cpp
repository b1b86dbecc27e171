#include "ui/CommonControls.h"

#include <commctrl.h>

namespace ui {

bool UseCommonControls(DWORD classes) noexcept {
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    // By name, as the import was: the manifest's activation context sends the name
    // to version 6 in the system's side-by-side store. Kept loaded for the process:
    // its classes stay registered.
    static const Init init = [] {
        const HMODULE module = LoadLibraryW(L"comctl32.dll");
        return module ? reinterpret_cast<Init>(
                            reinterpret_cast<void (*)()>(GetProcAddress(module, "InitCommonControlsEx")))
                      : nullptr;
    }();
    if (!init) return false;
    const INITCOMMONCONTROLSEX controls{sizeof controls, classes};
    return init(&controls) != FALSE;
}

}  // namespace ui
