// The pixel layout the drawing surfaces and the pixel-run scanner share.
#pragma once
#include <windows.h>

namespace ui {

// A 32-bit DIB of rows from the top: pixels are 0x00RRGGBB, and at that depth
// rows need no padding, so pixel (x, y) is at y * width + x.
inline BITMAPINFO TopDownDib32(int width, int height) noexcept {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace ui
