#include "ui/WindowRegion.h"

#include <algorithm>
#include <vector>

namespace ui {
namespace {
// Some versions of the platform refuse ExtCreateRegion for very long
// rectangle lists; a picture with more runs is built in slices and joined.
constexpr size_t kRectsPerRegionCall = 2000;
}  // namespace

base::UniqueRegion RegionFromRuns(std::span<const PixelRun> runs) {
    if (runs.empty()) return base::UniqueRegion(CreateRectRgn(0, 0, 0, 0));
    base::UniqueRegion result;
    std::vector<unsigned char> buffer;
    for (size_t first = 0; first < runs.size(); first += kRectsPerRegionCall) {
        const std::span<const PixelRun> slice = runs.subspan(first, std::min(kRectsPerRegionCall, runs.size() - first));
        buffer.assign(sizeof(RGNDATAHEADER) + slice.size() * sizeof(RECT), 0);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        auto* rects = reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER));
        // Runs come row by row from the top, so the slice's first and last run
        // give its top and bottom.
        RECT bound{slice.front().left, slice.front().y, slice.front().right, slice.back().y + 1};
        for (size_t i = 0; i < slice.size(); ++i) {
            const PixelRun& run = slice[i];
            rects[i] = RECT{run.left, run.y, run.right, run.y + 1};
            bound.left = std::min<LONG>(bound.left, run.left);
            bound.right = std::max<LONG>(bound.right, run.right);
        }
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = static_cast<DWORD>(slice.size());
        data->rdh.nRgnSize = static_cast<DWORD>(slice.size() * sizeof(RECT));
        data->rdh.rcBound = bound;
        base::UniqueRegion part(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
        if (!part) return base::UniqueRegion();
        if (!result) {
            result = std::move(part);
        } else if (CombineRgn(result.get(), result.get(), part.get(), RGN_OR) == ERROR) {
            return base::UniqueRegion();
        }
    }
    return result;
}

HRGN GiveToWindow(HWND hwnd, base::UniqueRegion region, bool redraw) noexcept {
    if (!region || !SetWindowRgn(hwnd, region.get(), redraw ? TRUE : FALSE)) return nullptr;
    return region.release();
}

}  // namespace ui
