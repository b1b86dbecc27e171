#include "controls/buttonex/ButtonExGdi.h"

#include <atomic>

namespace buttonex::gdi {
namespace {
std::atomic<long> live{0};
}

long LiveObjects() noexcept { return live.load(); }

MemoryDc::MemoryDc(HDC compatibleWith) noexcept : dc_(CreateCompatibleDC(compatibleWith)) {
    if (dc_) ++live;
}
MemoryDc::~MemoryDc() {
    if (dc_ && DeleteDC(dc_)) --live;
}

Bitmap::Bitmap(HBITMAP b) noexcept : bmp_(b) {
    if (bmp_) ++live;
}

void Bitmap::reset() noexcept {
    if (HBITMAP b = std::exchange(bmp_, nullptr))
        if (DeleteObject(b)) --live;
}

Bitmap Bitmap::Monochrome(int w, int h) noexcept { return Bitmap(CreateBitmap(w, h, 1, 1, nullptr)); }

Bitmap Bitmap::Compatible(HDC dc, int w, int h) noexcept { return Bitmap(CreateCompatibleBitmap(dc, w, h)); }

Bitmap Bitmap::Dib32(int w, int h, uint32_t** bits) noexcept {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bits) *bits = b ? static_cast<uint32_t*>(p) : nullptr;
    return Bitmap(b);
}

Region::Region(HRGN r) noexcept : rgn_(r) {
    if (rgn_) ++live;
}
Region::~Region() {
    if (rgn_ && DeleteObject(rgn_)) --live;
}

bool Region::GiveToWindow(HWND hwnd, bool redraw) noexcept {
    if (!rgn_) return false;
    if (!SetWindowRgn(hwnd, rgn_, redraw)) return false;  // still ours: the destructor deletes it
    rgn_ = nullptr;
    --live;
    return true;
}

void DrawPictureAt(HDC dc, const ui::Picture& picture, int x, int y) {
    HANDLE h = picture.Handle();
    if (!h) return;
    const SIZE px = picture.Pixels();
    switch (picture.Type()) {
        case PICTYPE_BITMAP: {
            MemoryDc mem(dc);
            HGDIOBJ old = SelectObject(mem.get(), h);
            BitBlt(dc, x, y, px.cx, px.cy, mem.get(), 0, 0, SRCCOPY);
            SelectObject(mem.get(), old);
            break;
        }
        case PICTYPE_ICON:
            DrawIconEx(dc, x, y, static_cast<HICON>(h), px.cx, px.cy, 0, nullptr, DI_NORMAL);
            break;
        default: {
            // Metafiles: let the picture object render itself at 96 dpi.
            const SIZE hm = picture.Himetric();
            const int w = MulDiv(hm.cx, 96, 2540), hgt = MulDiv(hm.cy, 96, 2540);
            picture.get()->Render(dc, x, y, w, hgt, 0, hm.cy, hm.cx, -hm.cy, nullptr);
            break;
        }
    }
}

}  // namespace buttonex::gdi
