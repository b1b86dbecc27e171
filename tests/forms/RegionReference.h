// The plain rule for a window region cut out of a bitmap: one GetPixel per
// pixel and one region union per run. Slow, obviously right; the tests and the
// benchmark hold the fast builder against it.
#pragma once
#include <windows.h>

#include <cstdint>

namespace formstest {

HRGN RegionFromBitmapPerPixel(HBITMAP picture, int32_t& transparentColor);

}  // namespace formstest
