// The splash at a display scale other than 100%: its window grows with the
// screen's dots per inch, so the picture and the shape cut from it grow too,
// and sit centred in the window.
#include "forms/frmSplash.h"

#include "ui/Dib.h"
#include "ui/Units.h"

namespace forms {
namespace {

// A 32-bit copy of the bitmap stretched to w x h with the given stretch mode.
base::UniqueBitmap stretched(HBITMAP source, SIZE from, SIZE to, int mode) {
    const BITMAPINFO info = ui::TopDownDib32(to.cx, to.cy);
    void* bits = nullptr;
    base::UniqueBitmap copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    base::UniqueMemoryDc from_dc(CreateCompatibleDC(nullptr)), to_dc(CreateCompatibleDC(nullptr));
    if (!copy || !from_dc || !to_dc) return {};
    base::SelectedObject in(from_dc.get(), source), out(to_dc.get(), copy.get());
    SetStretchBltMode(to_dc.get(), mode);
    SetBrushOrgEx(to_dc.get(), 0, 0, nullptr);
    if (!StretchBlt(to_dc.get(), 0, 0, to.cx, to.cy, from_dc.get(), 0, 0, from.cx, from.cy, SRCCOPY)) return {};
    return copy;
}

}  // namespace

void FrmSplash::ScaleToScreen() {
    const ui::Dpi dpi = ui::ScreenDpi();
    const SIZE from = Maskk.Size;
    if ((dpi.x != ui::kStandardDpi || dpi.y != ui::kStandardDpi) && from.cx > 0 && from.cy > 0) {
        const SIZE to{MulDiv(from.cx, dpi.x, ui::kStandardDpi), MulDiv(from.cy, dpi.y, ui::kStandardDpi)};
        const auto bitmap = static_cast<HBITMAP>(Maskk.Picture.Handle());
        // Smooth for the eye; the shape from a copy without blending, whose
        // background keeps the corner's colour exactly.
        base::UniqueBitmap smooth = stretched(bitmap, from, to, HALFTONE);
        base::UniqueBitmap shape = stretched(bitmap, from, to, COLORONCOLOR);
        if (smooth && shape) {
            Maskk.Picture = ui::Picture::FromBitmap(smooth.release());
            Maskk.Size = to;
            shape_ = std::move(shape);
        }
    }
    // Centred; at 96 dpi the picture is one row taller than the window, and that
    // row stays cut at the bottom as it always was.
    RECT client{};
    GetClientRect(hWnd(), &client);
    at_ = POINT{(client.right - Maskk.Size.cx) / 2, (client.bottom - Maskk.Size.cy) / 2};
}

}  // namespace forms
