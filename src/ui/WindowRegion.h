// Window regions made from pixel runs, and handing one to its window.
#pragma once
#include <windows.h>

#include <span>

#include "base/Handles.h"
#include "ui/PixelRuns.h"

namespace ui {

// The union of the runs' one-pixel-high rectangles; no runs give an empty
// region. Null only when the platform cannot make the region.
base::UniqueRegion RegionFromRuns(std::span<const PixelRun> runs);

// A region handed to SetWindowRgn belongs to the window from then on; it stays
// ours, and is deleted here, only when the call fails. Returns the region the
// window now holds, or null.
HRGN GiveToWindow(HWND hwnd, base::UniqueRegion region, bool redraw) noexcept;

}  // namespace ui
