#include "controls/buttonex/PixelSurface.h"

#include <algorithm>

#include "controls/buttonex/ButtonExLayout.h"
#include "ui/Dib.h"

namespace buttonex {
namespace {

// A top-down 32-bit DIB section; bits receives its pixels (0x00RRGGBB), or null.
base::UniqueBitmap dib32(int w, int h, uint32_t** bits) noexcept {
    const BITMAPINFO bi = ui::TopDownDib32(w, h);
    void* p = nullptr;
    base::UniqueBitmap b(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
    *bits = b ? static_cast<uint32_t*>(p) : nullptr;
    return b;
}

}  // namespace

PixelSurface::PixelSurface(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    SetBkMode(dc_.get(), TRANSPARENT);
    originalFont_ = GetCurrentObject(dc_.get(), OBJ_FONT);
    make(width, height);
}

PixelSurface::~PixelSurface() {
    if (originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
    if (originalFont_) SelectObject(dc_.get(), originalFont_);
}

COLORREF PixelSurface::Resolve(uint32_t colour) noexcept {
    return layout::ResolveColour(colour, [](int index) { return GetSysColor(index); });
}

void PixelSurface::make(int width, int height) {
    width = std::clamp(width, 1, kMaxSurfaceSide);
    height = std::clamp(height, 1, kMaxSurfaceSide);
    uint32_t* bits = nullptr;
    base::UniqueBitmap fresh = dib32(width, height, &bits);
    if (!fresh) return;  // keep the old image rather than none
    HGDIOBJ old = SelectObject(dc_.get(), fresh.get());
    if (!originalBitmap_) originalBitmap_ = old;
    bitmap_ = std::move(fresh);
    bits_ = bits;
    width_ = width;
    height_ = height;
    Clear();
}

void PixelSurface::Resize(int width, int height) {
    if (std::clamp(width, 1, kMaxSurfaceSide) == width_ && std::clamp(height, 1, kMaxSurfaceSide) == height_) return;
    make(width, height);
}

void PixelSurface::SetBackColor(uint32_t colour) {
    back_ = colour;
    Clear();
}

void PixelSurface::SetForeColor(uint32_t colour) {
    fore_ = colour;
    SetTextColor(dc_.get(), Resolve(colour));
}

void PixelSurface::Clear() {
    if (!bits_) return;
    GdiFlush();
    const COLORREF c = Resolve(back_);
    const uint32_t px =
        (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
    std::fill(bits_, bits_ + static_cast<size_t>(width_) * static_cast<size_t>(height_), px);
    drawBackground();
}

void PixelSurface::SetBackgroundPicture(const ui::Picture& picture, bool stretched) {
    background_ = picture;
    stretched_ = stretched;
    drawBackground();
}

void PixelSurface::drawBackground() {
    if (stretched_)
        background_.DrawScaled(dc_.get(), 0, 0, width_, height_, HALFTONE);
    else
        background_.DrawAt(dc_.get(), 0, 0);
}

void PixelSurface::SetFont(HFONT font) { SelectObject(dc_.get(), font ? static_cast<HGDIOBJ>(font) : originalFont_); }

void PixelSurface::Line(int x1, int y1, int x2, int y2) {
    HPEN pen = CreatePen(PS_SOLID, 1, Resolve(fore_));
    HGDIOBJ old = SelectObject(dc_.get(), pen);
    MoveToEx(dc_.get(), x1, y1, nullptr);
    LineTo(dc_.get(), x2, y2);
    SelectObject(dc_.get(), old);
    DeleteObject(pen);
}

SIZE PixelSurface::TextExtent(const std::string& ansi) const {
    SIZE s{0, 0};
    if (ansi.empty()) {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc_.get(), &tm);
        s.cy = tm.tmHeight;
        return s;
    }
    GetTextExtentPoint32A(dc_.get(), ansi.data(), static_cast<int>(ansi.size()), &s);
    return s;
}

COLORREF PixelSurface::Pixel(int x, int y) const noexcept {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    const uint32_t p = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace buttonex
