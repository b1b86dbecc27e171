// A persistent drawing surface: a memory device context over a 32-bit DIB.
// What is drawn stays until it is cleared; a window shows it by copying it.
// The button's own face, its picture holder and its two scratch surfaces are
// each one of these.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/Handles.h"
#include "ui/Picture.h"

namespace buttonex {

// The largest side of a surface, in pixels: a stored size larger than any screen
// would otherwise ask for gigabytes of pixels (and the time to clear them).
inline constexpr int kMaxSurfaceSide = 4096;

class PixelSurface {
public:
    PixelSurface(int width, int height);
    ~PixelSurface();
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    HDC Dc() const noexcept { return dc_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }

    // New pixel size; the image is cleared (background colour, then the
    // background picture). Sizes are saturated to 1..kMaxSurfaceSide.
    void Resize(int width, int height);

    // Colours are OLE colours: 0x00BBGGRR or a system colour with the high bit.
    uint32_t BackColor() const noexcept { return back_; }
    // Takes the colour and clears to it.
    void SetBackColor(uint32_t colour);
    uint32_t ForeColor() const noexcept { return fore_; }
    void SetForeColor(uint32_t colour);

    // Fills with the background colour and draws the background picture.
    void Clear();
    // The picture shown in the background, unscaled at the top-left corner, or
    // stretched over the whole surface (smoothly) when stretched is true.
    const ui::Picture& BackgroundPicture() const noexcept { return background_; }
    void SetBackgroundPicture(const ui::Picture& picture, bool stretched = false);

    void SetFont(HFONT font);
    // A one-pixel line in the foreground colour, without its last point.
    void Line(int x1, int y1, int x2, int y2);
    // Extent of ANSI text in the current font; an empty text is one line high.
    SIZE TextExtent(const std::string& ansi) const;

    // 0x00BBGGRR at (x, y), or CLR_INVALID outside.
    COLORREF Pixel(int x, int y) const noexcept;
    const uint32_t* Bits() const noexcept { return bits_; }

    static COLORREF Resolve(uint32_t colour) noexcept;

private:
    void make(int width, int height);
    void drawBackground();

    base::UniqueMemoryDc dc_;
    base::UniqueBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
    uint32_t back_ = 0x00FFFFFF;
    uint32_t fore_ = 0;
    ui::Picture background_;
    bool stretched_ = false;
};

}  // namespace buttonex
