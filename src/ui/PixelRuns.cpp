#include "ui/PixelRuns.h"

namespace ui {

void AppendOpaqueRuns(std::span<const uint32_t> row, int32_t y, uint32_t transparentColorRef,
                      std::vector<PixelRun>& runs) {
    const uint32_t key = ColorRefToDibPixel(transparentColorRef);
    const size_t width = row.size();
    auto transparent = [&](size_t x) { return (row[x] & 0x00FFFFFFu) == key; };
    size_t x = 0;
    while (x < width) {
        while (x < width && transparent(x)) ++x;
        if (x == width) break;
        const size_t start = x;
        while (x < width && !transparent(x)) ++x;
        runs.push_back({static_cast<int32_t>(start), static_cast<int32_t>(x), y});
    }
}

std::vector<PixelRun> OpaqueRuns(std::span<const uint32_t> pixels, int32_t width, int32_t height, size_t stridePixels,
                                 uint32_t transparentColorRef) {
    std::vector<PixelRun> runs;
    if (width <= 0 || height <= 0 || stridePixels < static_cast<size_t>(width)) return runs;
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        const size_t offset = y * stridePixels;
        // A short buffer yields the rows it holds, never a read past its end.
        if (offset > pixels.size() || pixels.size() - offset < static_cast<size_t>(width)) break;
        AppendOpaqueRuns(pixels.subspan(offset, static_cast<size_t>(width)), static_cast<int32_t>(y),
                         transparentColorRef, runs);
    }
    return runs;
}

}  // namespace ui
