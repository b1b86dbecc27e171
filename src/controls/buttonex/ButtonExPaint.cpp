// Painting: Redraw and its painters, the key-colour mask copy, and the
// highlight (silhouette and dotted rectangle).
#include <algorithm>
#include <span>
#include <vector>

#include "controls/buttonex/ButtonEx.h"
#include "base/Text.h"
#include "ui/WindowRegion.h"

namespace buttonex {

namespace {
constexpr Colour kGreyText = 0x80000011;

const ui::Picture& pictureFor(layout::Slot slot, const ui::Picture& down, const ui::Picture& up,
                              const ui::Picture& over, const ui::Picture& disabled, const ui::Picture& focus) {
    switch (slot) {
        case layout::Slot::Down:
            return down;
        case layout::Slot::Over:
            return over;
        case layout::Slot::Disabled:
            return disabled;
        case layout::Slot::Focus:
            return focus;
        case layout::Slot::Up:
            break;
    }
    return up;
}

// The four memory contexts of a key-colour mask copy, each with a new w x h
// bitmap selected: monochrome for the mask and the inverse mask, compatible
// with the destination for the result and the picture. Leaving scope puts the
// old bitmaps back, then deletes the four bitmaps, then the four contexts.
struct MaskCopyScratch {
    MaskCopyScratch(HDC destination, int w, int h)
        : maskDc(CreateCompatibleDC(destination)),
          inverseDc(CreateCompatibleDC(destination)),
          resultDc(CreateCompatibleDC(destination)),
          pictureDc(CreateCompatibleDC(destination)),
          mask(CreateBitmap(w, h, 1, 1, nullptr)),
          inverse(CreateBitmap(w, h, 1, 1, nullptr)),
          result(CreateCompatibleBitmap(destination, w, h)),
          picture(CreateCompatibleBitmap(destination, w, h)),
          maskIn(maskDc.get(), mask.get()),
          inverseIn(inverseDc.get(), inverse.get()),
          resultIn(resultDc.get(), result.get()),
          pictureIn(pictureDc.get(), picture.get()) {}
    base::UniqueMemoryDc maskDc, inverseDc, resultDc, pictureDc;
    base::UniqueBitmap mask, inverse, result, picture;
    base::SelectedObject maskIn, inverseIn, resultIn, pictureIn;
};

}  // namespace

bool ButtonEx::ReadUserMode() { return container_.AmbientUserMode(); }

void ButtonEx::Redraw(int32_t state) {
    // Once the pointer has left, the pressed look waits until it is back.
    if (m_LastHoverEvent == "MouseExit" && state == Down) return;
    ++painting_;
    surface_.SetBackgroundPicture(ui::Picture());
    SetShapePicture(ui::Picture());
    surface_.Clear();
    const bool userMode = ReadUserMode();
    state = layout::ApplyToggle(state, m_Style, m_Value);
    const bool focus = m_bHasFocus && userMode;
    if (m_SkinUp.IsPresent() && m_Appearance == 2)
        DrawSkinFace(state, focus);
    else
        DrawStandardFace(state, focus);
    DrawPicture(state);
    DrawCaption(state);
    DrawFocusCue(focus);
    ApplyShape();
    ShowSurface();
    --painting_;
}

void ButtonEx::DrawStandardFace(int32_t state, bool focus) {
    SetShapeMode(false);
    const layout::FacePlan plan =
        layout::PlanStandardFace(state, focus, m_AllowDefault, m_AllowFocus, m_Appearance, m_BorderStyle);
    const int sw = surface_.Width(), sh = surface_.Height();
    HDC dc = surface_.Dc();
    RECT r{0, 0, sw, sh};
    if (plan.defaultFrame) DrawEdge(dc, &r, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
    if (plan.edge) DrawEdge(dc, &r, plan.edge, plan.edgeFlags);
    if (plan.flatFrame) {
        const Colour saved = surface_.ForeColor();
        surface_.SetForeColor(kGreyText);
        const int right = r.right, bottom = r.bottom;
        surface_.Line(0, 0, right - 1, 0);
        surface_.Line(0, 0, 0, bottom);
        surface_.Line(right - 1, 0, right - 1, bottom);
        surface_.Line(0, bottom - 1, right - 1, bottom - 1);
        surface_.SetForeColor(saved);
    }
    if (plan.focusRect) {
        const Colour saved = surface_.ForeColor();
        surface_.SetForeColor(0);
        RECT f{4, 4, sw - 4, sh - 4};
        DrawFocusRect(dc, &f);
        surface_.SetForeColor(saved);
    }
    m_State = state;
}

void ButtonEx::DrawSkinFace(int32_t state, bool focus) {
    m_State = state;
    if (!m_Enabled) {
        state = Disabled;
        m_State = Disabled;
    } else if (focus && state == Up) {
        state = Focus;  // m_State keeps Up
    }
    SetShapeMode(true);
    ui::Picture skin = m_SkinUp;
    const ui::Picture& forState =
        pictureFor(layout::SlotFor(state), m_SkinDown, m_SkinUp, m_SkinOver, m_SkinDisabled, m_SkinFocus);
    if (forState.IsPresent()) skin = forState;
    const bool scaled = skinDpi_ != 96;
    surface_.SetBackgroundPicture(skin, scaled);
    if (skin.Handle()) {
        SetShapePicture(skin);
        // The button takes the skin's size (scaled). A change of size repaints the
        // button (in the Up look) before this painter goes on.
        const SIZE hm = skin.Himetric();
        const double scale = skinDpi_ / 96.0;
        SetSizeTwips(layout::SkinTwips(hm.cx) * scale, layout::SkinTwips(hm.cy) * scale);
    }
}

void ButtonEx::SetHolderPicture(const ui::Picture& picture) {
    if (!imgPicture.stale && imgPicture.picture == picture) return;
    imgPicture.picture = picture;
    imgPicture.stale = false;
    if (!picture.Handle()) return;
    // The holder takes the size of the image it holds.
    const SIZE px = picture.Pixels();
    imgPicture.pixels.Resize(px.cx > 0 ? px.cx : imgPicture.pixels.Width(),
                             px.cy > 0 ? px.cy : imgPicture.pixels.Height());
    imgPicture.pixels.SetBackgroundPicture(ui::Picture());
    imgPicture.pixels.SetBackColor(imgPicture.backColor);
    picture.DrawAt(imgPicture.pixels.Dc(), 0, 0);
}

void ButtonEx::DrawPicture(int32_t state) {
    if (!m_Enabled) state = Disabled;
    ui::Picture chosen = m_Picture;
    const ui::Picture& forState =
        pictureFor(layout::SlotFor(state), m_PictureDown, m_Picture, m_PictureOver, m_PictureDisabled, m_PictureFocus);
    if (forState.IsPresent()) chosen = forState;  // an empty state picture hides the picture
    SetHolderPicture(chosen);
    if (!imgPicture.picture.Handle()) return;

    const int w = imgPicture.pixels.Width(), h = imgPicture.pixels.Height();
    const layout::Point at =
        layout::PicturePosition(state, m_Appearance, surface_.Height(), h, m_PictureOffsetX, m_PictureOffsetY);
    if (imgPicture.left != at.x) imgPicture.left = at.x;
    if (imgPicture.top != at.y) imgPicture.top = at.y;

    if (m_HighlightPicture && (state == Down || state == Over)) {
        DrawSilhouette(imgPicture.pixels, surface_, pictTempDestination, pictTempHighlight, m_HighlightColor, at.x,
                       at.y, 0, 0, w, h, false);
        return;
    }
    MaskedCopy(surface_.Dc(), imgPicture.pixels, at.x, at.y, 0, 0, w, h, static_cast<int32_t>(m_TransparentColor));
}

void ButtonEx::DrawCaption(int32_t state) {
    switch (layout::ChooseCaptionColour(state, m_BorderStyle, m_LastHoverEvent == "MouseExit")) {
        case layout::CaptionColour::Highlight:
            surface_.SetForeColor(m_HighlightColor);
            break;
        case layout::CaptionColour::Grey:
            surface_.SetForeColor(kGreyText);
            break;
        case layout::CaptionColour::Fore:
            surface_.SetForeColor(m_ForeColor);
            break;
    }
    const SIZE text = surface_.TextExtent(base::ToAnsi(layout::MeasuredCaption(m_Caption)));
    layout::CaptionInput in;
    in.state = state;
    in.picturePresent = m_Picture.IsPresent();
    in.holderHasImage = imgPicture.picture.Handle() != nullptr;
    in.holderLeft = imgPicture.left;
    in.holderWidth = imgPicture.pixels.Width();
    in.sw = surface_.Width();
    in.sh = surface_.Height();
    in.textWidth = text.cx;
    in.textHeight = text.cy;
    // The offsets are the skin's pixels: they grow with it.
    in.offsetX = MulDiv(m_CaptionOffsetX, skinDpi_, 96);
    in.offsetY = MulDiv(m_CaptionOffsetY, skinDpi_, 96);
    const layout::Point at = layout::CaptionPosition(in);
    const std::string caption = base::ToAnsi(m_Caption);
    if (caption.empty()) return;  // nothing to draw (and DrawState would measure a null text)
    DrawStateA(surface_.Dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()),
               static_cast<WPARAM>(caption.size()), at.x, at.y, 0, 0, layout::CaptionFlags(m_Enabled, m_RightToLeft));
}

void ButtonEx::MaskedCopy(HDC destination, const PixelSurface& source, int dx, int dy, int sx, int sy, int w, int h,
                          int32_t key) {
    HDC src = source.Dc();
    const COLORREF keyColour = key == -1 ? GetPixel(src, 1, 1) : static_cast<COLORREF>(key);
    const MaskCopyScratch s(destination, w, h);
    const COLORREF oldBk = SetBkColor(src, keyColour);
    BitBlt(s.maskDc.get(), 0, 0, w, h, src, sx, sy, SRCCOPY);
    SetBkColor(src, oldBk);
    BitBlt(s.inverseDc.get(), 0, 0, w, h, s.maskDc.get(), 0, 0, NOTSRCCOPY);
    BitBlt(s.resultDc.get(), 0, 0, w, h, destination, dx, dy, SRCCOPY);
    BitBlt(s.resultDc.get(), 0, 0, w, h, s.maskDc.get(), 0, 0, SRCAND);
    BitBlt(s.pictureDc.get(), 0, 0, w, h, src, sx, sy, SRCCOPY);
    BitBlt(s.pictureDc.get(), 0, 0, w, h, s.inverseDc.get(), 0, 0, SRCAND);
    BitBlt(s.resultDc.get(), 0, 0, w, h, s.pictureDc.get(), 0, 0, SRCINVERT);
    BitBlt(destination, dx, dy, w, h, s.resultDc.get(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- highlight

void ButtonEx::RepaintSurface(const PixelSurface& surface) {
    if (&surface == &surface_) Refresh();
}

namespace {
// Scratch surfaces grow to hold the largest picture they have been given.
void fit(PixelSurface& s, int w, int h) {
    if (s.Width() < w || s.Height() < h) s.Resize(std::max(s.Width(), w), std::max(s.Height(), h));
}
}  // namespace

void ButtonEx::DrawSilhouette(const PixelSurface& source, PixelSurface& destination, PixelSurface& maskScratch,
                              PixelSurface& colourScratch, Colour colour, int dx, int dy, int sx, int sy, int w, int h,
                              bool repaint) {
    fit(maskScratch, w, h);
    fit(colourScratch, w, h);
    colourScratch.SetBackColor(colour);
    MakeMask(source, maskScratch, -1, 0, 0, sx, sy, w, h, false);
    CopySurface(maskScratch, colourScratch, SRCINVERT, 0, 0, 0, 0, w, h, false);
    MaskedCopyChecked(colourScratch, destination, -1, dx, dy, 0, 0, w, h, repaint);
}

bool ButtonEx::MakeMask(const PixelSurface& source, PixelSurface& destination, int32_t key, int dx, int dy, int sx,
                        int sy, int w, int h, bool repaint) {
    HDC src = source.Dc();
    const COLORREF keyColour = key == -1 ? GetPixel(src, 0, 0) : static_cast<COLORREF>(key);
    bool ok = false;
    {
        base::UniqueMemoryDc maskDc(CreateCompatibleDC(destination.Dc()));
        base::UniqueBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
        base::SelectedObject sel(maskDc.get(), mask.get());
        const COLORREF oldBk = SetBkColor(src, keyColour);
        ok = BitBlt(maskDc.get(), 0, 0, w, h, src, sx, sy, SRCCOPY) != FALSE;
        SetBkColor(src, oldBk);
        if (ok) ok = BitBlt(destination.Dc(), dx, dy, w, h, maskDc.get(), 0, 0, SRCCOPY) != FALSE;
    }
    if (repaint) RepaintSurface(destination);
    return ok;
}

bool ButtonEx::CopySurface(const PixelSurface& source, PixelSurface& destination, DWORD rop, int dx, int dy, int sx,
                           int sy, int w, int h, bool repaint) {
    const bool ok = BitBlt(destination.Dc(), dx, dy, w, h, source.Dc(), sx, sy, rop) != FALSE;
    if (repaint) RepaintSurface(destination);
    return ok;
}

bool ButtonEx::MaskedCopyChecked(const PixelSurface& source, PixelSurface& destination, int32_t key, int dx, int dy,
                                 int sx, int sy, int w, int h, bool repaint) {
    HDC src = source.Dc();
    const COLORREF keyColour = key == -1 ? GetPixel(src, 0, 0) : static_cast<COLORREF>(key);
    bool ok = false;
    {
        const MaskCopyScratch s(destination.Dc(), w, h);
        const COLORREF oldBk = SetBkColor(src, keyColour);
        ok = BitBlt(s.maskDc.get(), 0, 0, w, h, src, sx, sy, SRCCOPY) != FALSE;
        SetBkColor(src, oldBk);
        // Each copy runs only while the ones before it succeeded.
        ok = ok && BitBlt(s.inverseDc.get(), 0, 0, w, h, s.maskDc.get(), 0, 0, NOTSRCCOPY);
        ok = ok && BitBlt(s.resultDc.get(), 0, 0, w, h, destination.Dc(), dx, dy, SRCCOPY);
        ok = ok && BitBlt(s.resultDc.get(), 0, 0, w, h, s.maskDc.get(), 0, 0, SRCAND);
        ok = ok && BitBlt(s.pictureDc.get(), 0, 0, w, h, src, sx, sy, SRCCOPY);
        ok = ok && BitBlt(s.pictureDc.get(), 0, 0, w, h, s.inverseDc.get(), 0, 0, SRCAND);
        ok = ok && BitBlt(s.resultDc.get(), 0, 0, w, h, s.pictureDc.get(), 0, 0, SRCINVERT);
        ok = ok && BitBlt(destination.Dc(), dx, dy, w, h, s.resultDc.get(), 0, 0, SRCCOPY);
    }
    if (repaint) RepaintSurface(destination);
    return ok;
}

void ButtonEx::DrawHighlight() {
    RECT r{0, 0, layout::CLng(surface_.Width()), layout::CLng(surface_.Height())};
    const Colour saved = surface_.ForeColor();
    surface_.SetForeColor(0);
    DrawFocusRect(surface_.Dc(), &r);
    surface_.SetForeColor(saved);
    Refresh();
}

void ButtonEx::ClearHighlight() { Redraw(m_State); }

// ---------------------------------------------------------------- the surface on screen

void ButtonEx::SetShapeMode(bool on) { shapeMode_ = on; }

void ButtonEx::SetSkinDpi(int dpi) {
    if (dpi <= 0 || dpi == skinDpi_) return;
    skinDpi_ = dpi;
    appliedShape_ = false;  // cut again at the new size
    if (IsCreated()) Repaint();
}
void ButtonEx::SetShapePicture(const ui::Picture& picture) { shapePicture_ = picture; }

void ButtonEx::ApplyShape() {
    if (!IsCreated()) return;
    if (!shapeMode_) {
        if (appliedShape_) {
            SetWindowRgn(hWnd(), nullptr, TRUE);
            appliedShape_ = false;
            appliedShapePicture_ = ui::Picture();
        }
        return;
    }
    // Rebuild the region only when what it is cut from has changed.
    if (appliedShape_ && appliedShapePicture_ == shapePicture_ && appliedMask_ == maskColour_) return;

    std::vector<ui::PixelRun> runs;
    if (shapePicture_.Handle()) {
        // A scaled skin fills the surface; its shape is cut from the same size,
        // stretched without blending so that the mask colour stays exact.
        const SIZE px = skinDpi_ == 96 ? shapePicture_.Pixels() : SIZE{surface_.Width(), surface_.Height()};
        const COLORREF mask = PixelSurface::Resolve(maskColour_);
        PixelSurface pixels(px.cx, px.cy);
        pixels.SetBackColor(mask);  // an icon's transparent parts count as mask colour
        shapePicture_.DrawScaled(pixels.Dc(), 0, 0, px.cx, px.cy, COLORONCOLOR);
        GdiFlush();
        const size_t stride = static_cast<size_t>(pixels.Width());
        const std::span<const uint32_t> bits(pixels.Bits(),
                                             pixels.Bits() ? stride * static_cast<size_t>(pixels.Height()) : 0);
        runs = ui::OpaqueRuns(bits, pixels.Width(), pixels.Height(), stride, mask);
    }
    if (ui::GiveToWindow(hWnd(), ui::RegionFromRuns(runs), true)) {
        appliedShape_ = true;
        appliedShapePicture_ = shapePicture_;
        appliedMask_ = maskColour_;
    }
}

void ButtonEx::ShowSurface() {
    if (IsCreated()) InvalidateRect(hWnd(), nullptr, FALSE);
}

void ButtonEx::Refresh() {
    if (!IsCreated()) return;
    InvalidateRect(hWnd(), nullptr, FALSE);
    UpdateWindow(hWnd());
}

}  // namespace buttonex
