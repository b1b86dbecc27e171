// A picture as the forms runtime holds one: a shared, reference-counted OLE
// picture object. "No picture" (absent) is distinct from the empty picture
// (present, with no image, type PICTYPE_NONE).
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>
#include <vector>

#include "base/Handles.h"

namespace ui {

class Picture {
public:
    Picture() noexcept = default;  // no picture
    explicit Picture(base::ComPtr<IPicture> p) noexcept : p_(std::move(p)) {}

    // Takes ownership of the handle: it is destroyed with the last reference.
    static Picture FromIcon(HICON icon);
    static Picture FromBitmap(HBITMAP bitmap);
    static Picture Empty();
    // An icon resource of this module at the size asked for.
    static Picture FromIconResource(int id, int size);
    // A complete image file (BMP, ICO) held in memory.
    static Picture FromFileBytes(const void* data, size_t size);

    // The picture as a complete image file; empty when absent, empty, or not savable.
    std::vector<unsigned char> FileBytes() const;

    bool IsPresent() const noexcept { return static_cast<bool>(p_); }
    // PICTYPE_* (0 empty, 1 bitmap, 3 icon); PICTYPE_UNINITIALIZED when absent.
    short Type() const;
    // The GDI handle (HBITMAP or HICON); 0 when absent or empty.
    HANDLE Handle() const;
    // Size in HIMETRIC and in pixels (at 96 dpi would be HIMETRIC*96/2540, but the
    // pixel size here is that of the underlying image).
    SIZE Himetric() const;
    SIZE Pixels() const;
    // Draws the image unscaled with its top-left corner at (x, y); nothing when
    // absent or empty.
    void DrawAt(HDC dc, int x, int y) const;
    // Draws the image stretched to w x h at (x, y) with the stretch mode given
    // (HALFTONE to look smooth, COLORONCOLOR to keep every colour exact).
    void DrawScaled(HDC dc, int x, int y, int w, int h, int stretchMode) const;

    IPicture* get() const noexcept { return p_.get(); }
    bool operator==(const Picture& o) const noexcept { return p_.get() == o.p_.get(); }

private:
    base::ComPtr<IPicture> p_;
};

}  // namespace ui
