// The drawing layer of the skinned button: owners for the memory device
// contexts, bitmaps and regions it creates, each counted while it lives so that
// a test can prove that repaints give back everything they take (the platform's
// own per-process GDI count is not available everywhere).
#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>

#include "ui/Picture.h"

namespace buttonex::gdi {

// Objects created through this layer and not yet deleted (or handed over).
long LiveObjects() noexcept;

class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) noexcept;
    ~MemoryDc();
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HDC dc_;
};

class Bitmap {
public:
    Bitmap() noexcept = default;
    ~Bitmap() { reset(); }
    Bitmap(Bitmap&& o) noexcept : bmp_(std::exchange(o.bmp_, nullptr)) {}
    Bitmap& operator=(Bitmap&& o) noexcept {
        if (this != &o) {
            reset();
            bmp_ = std::exchange(o.bmp_, nullptr);
        }
        return *this;
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    static Bitmap Monochrome(int w, int h) noexcept;
    static Bitmap Compatible(HDC dc, int w, int h) noexcept;
    // A top-down 32-bit DIB section; bits receives its pixels (0x00RRGGBB).
    static Bitmap Dib32(int w, int h, uint32_t** bits) noexcept;

    HBITMAP get() const noexcept { return bmp_; }
    void reset() noexcept;

private:
    explicit Bitmap(HBITMAP b) noexcept;
    HBITMAP bmp_ = nullptr;
};

// A region that is either deleted here or handed to a window with SetWindowRgn.
class Region {
public:
    explicit Region(HRGN r) noexcept;
    ~Region();
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;
    HRGN get() const noexcept { return rgn_; }
    // The window owns the region once SetWindowRgn accepts it.
    bool GiveToWindow(HWND hwnd, bool redraw) noexcept;

private:
    HRGN rgn_;
};

// Draws a picture's image unscaled with its top-left corner at (x, y).
void DrawPictureAt(HDC dc, const ui::Picture& picture, int x, int y);

}  // namespace buttonex::gdi
