#include "RegionReference.h"

namespace formstest {

HRGN RegionFromBitmapPerPixel(HBITMAP picture, int32_t& transparentColor) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    if (transparentColor < 1) transparentColor = static_cast<int32_t>(GetPixel(dc, 0, 0));
    BITMAP info{};
    GetObjectA(picture, sizeof info, &info);
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    const auto key = static_cast<COLORREF>(transparentColor);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < height; ++y) {
        int x = 0;
        for (;;) {
            while (x < width && GetPixel(dc, x, y) == key) ++x;
            if (x >= width) break;
            const int start = x;
            while (x < width && GetPixel(dc, x, y) != key) ++x;
            HRGN run = CreateRectRgn(start, y, x, y + 1);
            CombineRgn(region, region, run, RGN_OR);
            DeleteObject(run);
            if (x >= width) break;
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return region;
}

}  // namespace formstest
