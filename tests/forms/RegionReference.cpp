#include "RegionReference.h"

#include <cstdlib>

namespace formstest {

HRGN RegionFromBitmapPerPixel(HBITMAP picture, int32_t& transparentColor) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    if (transparentColor < 1) transparentColor = static_cast<int32_t>(GetPixel(dc, 0, 0));
    BITMAP info{};
    GetObjectA(picture, sizeof info, &info);
    const auto key = static_cast<COLORREF>(transparentColor);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < std::abs(info.bmHeight); ++y)
        for (int x = 0; x < info.bmWidth; ++x) {
            if (GetPixel(dc, x, y) == key) continue;
            const int start = x;
            while (x + 1 < info.bmWidth && GetPixel(dc, x + 1, y) != key) ++x;
            HRGN run = CreateRectRgn(start, y, x + 1, y + 1);
            CombineRgn(region, region, run, RGN_OR);
            DeleteObject(run);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return region;
}

}  // namespace formstest
