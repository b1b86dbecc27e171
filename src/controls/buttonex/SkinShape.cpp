#include "controls/buttonex/SkinShape.h"

#include <cstddef>

namespace buttonex {

std::vector<Run> OpaqueRuns(const uint32_t* pixels, int32_t width, int32_t height, int32_t stride, uint32_t mask) {
    std::vector<Run> runs;
    if (!pixels || width <= 0 || height <= 0 || stride < width) return runs;
    // DIB pixels are blue in the low byte; colour values have red there.
    const uint32_t key = ((mask & 0xFFu) << 16) | (mask & 0xFF00u) | ((mask >> 16) & 0xFFu);
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        int32_t x = 0;
        while (x < width) {
            while (x < width && (row[x] & 0x00FFFFFFu) == key) ++x;
            const int32_t start = x;
            while (x < width && (row[x] & 0x00FFFFFFu) != key) ++x;
            if (x > start) runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}

}  // namespace buttonex
