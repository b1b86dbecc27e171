#include "ui/HighContrast.h"

#include <windows.h>

namespace ui {
namespace {
std::optional<bool> gOverride;
}

bool HighContrastOn() noexcept {
    if (gOverride) return *gOverride;
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

void OverrideHighContrast(std::optional<bool> on) noexcept { gOverride = on; }

}  // namespace ui
