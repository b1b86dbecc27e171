#include <windows.h>

#include "ui/Units.h"

namespace ui {

Dpi ScreenDpi() {
    Dpi dpi;
    HDC screen = GetDC(nullptr);
    if (!screen) return dpi;
    const int x = GetDeviceCaps(screen, LOGPIXELSX), y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (x > 0) dpi.x = x;
    if (y > 0) dpi.y = y;
    return dpi;
}

}  // namespace ui
