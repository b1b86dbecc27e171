// Scanning a picture for the horizontal runs of pixels that are not the
// transparent colour: the shape of a window cut out of a bitmap (the splash
// screen, a skinned button). Platform-free; WindowRegion.h makes the region.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ui {

// Pixels [left, right) of row y: right is exclusive, so right - left pixels.
struct PixelRun {
    int32_t left;
    int32_t right;
    int32_t y;
    bool operator==(const PixelRun&) const = default;
};

// A colour as the platform names one, 0x00BBGGRR, in the form a 32-bit DIB row
// stores it (blue in the low byte, 0x00RRGGBB), and back: the swap is its own
// inverse. The top byte stays where it is: a "colour" with bits there matches
// no pixel.
constexpr uint32_t ColorRefToDibPixel(uint32_t colorRef) noexcept {
    return (colorRef & 0xFF00FF00u) | ((colorRef & 0xFFu) << 16) | ((colorRef >> 16) & 0xFFu);
}

// Appends, left to right, the runs of one row of 32-bit DIB pixels whose colour
// differs from the transparent one. The pixels' unused top byte is ignored.
void AppendOpaqueRuns(std::span<const uint32_t> row, int32_t y, uint32_t transparentColorRef,
                      std::vector<PixelRun>& runs);

// All runs of a top-down picture, row by row, top to bottom; stridePixels >= width.
// A buffer too short for the picture yields the whole rows it holds.
std::vector<PixelRun> OpaqueRuns(std::span<const uint32_t> pixels, int32_t width, int32_t height, size_t stridePixels,
                                 uint32_t transparentColorRef);

}  // namespace ui
