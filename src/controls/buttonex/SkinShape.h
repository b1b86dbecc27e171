// The shape of a skinned button: the pixels of its skin that differ from the
// mask colour, as horizontal runs that a window region is built from.
#pragma once
#include <cstdint>
#include <vector>

namespace buttonex {

struct Run {
    int32_t left, top, right, bottom;  // right and bottom exclusive
    bool operator==(const Run&) const = default;
};

// pixels: top-down rows of 32-bit 0x00RRGGBB values (a DIB section's layout),
// stride in pixels. mask: a 0x00BBGGRR colour. Runs of equal rows are not
// merged: each row gives its own runs, left to right.
std::vector<Run> OpaqueRuns(const uint32_t* pixels, int32_t width, int32_t height, int32_t stride, uint32_t mask);

}  // namespace buttonex
