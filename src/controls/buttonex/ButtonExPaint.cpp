// Painting: Redraw and its painters, the key-colour mask copy, and the
// highlight (silhouette and dotted rectangle).
#include <algorithm>
#include <vector>

#include "controls/buttonex/ButtonEx.h"
#include "controls/buttonex/SkinShape.h"
#include "ui/Text.h"

namespace buttonex {

namespace {
constexpr DWORD kSrcCopy = 0x00CC0020, kNotSrcCopy = 0x00330008, kSrcAnd = 0x008800C6, kSrcInvert = 0x00660046;
constexpr Colour kGreyText = 0x80000011;

const ui::Picture& pictureFor(layout::Slot slot, const ui::Picture& down, const ui::Picture& up,
                              const ui::Picture& over, const ui::Picture& disabled, const ui::Picture& focus) {
    switch (slot) {
        case layout::Slot::Down: return down;
        case layout::Slot::Over: return over;
        case layout::Slot::Disabled: return disabled;
        case layout::Slot::Focus: return focus;
        case layout::Slot::Up: break;
    }
    return up;
}
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
    const ui::Picture& forState = pictureFor(layout::SlotFor(state), m_SkinDown, m_SkinUp, m_SkinOver,
                                             m_SkinDisabled, m_SkinFocus);
    if (forState.IsPresent()) skin = forState;
    surface_.SetBackgroundPicture(skin);
    if (skin.Handle()) {
        SetShapePicture(skin);
        // The button takes the skin's size. A change of size repaints the button
        // (in the Up look) before this painter goes on.
        const SIZE hm = skin.Himetric();
        SetSizeTwips(layout::SkinTwips(hm.cx), layout::SkinTwips(hm.cy));
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
    gdi::DrawPictureAt(imgPicture.pixels.Dc(), picture, 0, 0);
}

void ButtonEx::DrawPicture(int32_t state) {
    if (!m_Enabled) state = Disabled;
    ui::Picture chosen = m_Picture;
    const ui::Picture& forState = pictureFor(layout::SlotFor(state), m_PictureDown, m_Picture, m_PictureOver,
                                             m_PictureDisabled, m_PictureFocus);
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
        case layout::CaptionColour::Highlight: surface_.SetForeColor(m_HighlightColor); break;
        case layout::CaptionColour::Grey: surface_.SetForeColor(kGreyText); break;
        case layout::CaptionColour::Fore: surface_.SetForeColor(m_ForeColor); break;
    }
    const SIZE text = surface_.TextExtent(ui::ToAnsi(layout::MeasuredCaption(m_Caption)));
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
    in.offsetX = m_CaptionOffsetX;
    in.offsetY = m_CaptionOffsetY;
    const layout::Point at = layout::CaptionPosition(in);
    const std::string caption = ui::ToAnsi(m_Caption);
    if (caption.empty()) return;  // nothing to draw (and DrawState would measure a null text)
    DrawStateA(surface_.Dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()),
               static_cast<WPARAM>(caption.size()), at.x, at.y, 0, 0,
               layout::CaptionFlags(m_Enabled, m_RightToLeft));
}

void ButtonEx::MaskedCopy(HDC destination, const PixelSurface& source, int dx, int dy, int sx, int sy, int w, int h,
                          int32_t key) {
    HDC src = source.Dc();
    const COLORREF keyColour = key == -1 ? GetPixel(src, 1, 1) : static_cast<COLORREF>(key);
    gdi::MemoryDc maskDc(destination), inverseDc(destination), resultDc(destination), pictureDc(destination);
    gdi::Bitmap mask = gdi::Bitmap::Monochrome(w, h), inverse = gdi::Bitmap::Monochrome(w, h);
    gdi::Bitmap result = gdi::Bitmap::Compatible(destination, w, h);
    gdi::Bitmap picture = gdi::Bitmap::Compatible(destination, w, h);
    {
        ui::SelectedObject s1(maskDc.get(), mask.get()), s2(inverseDc.get(), inverse.get());
        ui::SelectedObject s3(resultDc.get(), result.get()), s4(pictureDc.get(), picture.get());
        const COLORREF oldBk = SetBkColor(src, keyColour);
        BitBlt(maskDc.get(), 0, 0, w, h, src, sx, sy, kSrcCopy);
        SetBkColor(src, oldBk);
        BitBlt(inverseDc.get(), 0, 0, w, h, maskDc.get(), 0, 0, kNotSrcCopy);
        BitBlt(resultDc.get(), 0, 0, w, h, destination, dx, dy, kSrcCopy);
        BitBlt(resultDc.get(), 0, 0, w, h, maskDc.get(), 0, 0, kSrcAnd);
        BitBlt(pictureDc.get(), 0, 0, w, h, src, sx, sy, kSrcCopy);
        BitBlt(pictureDc.get(), 0, 0, w, h, inverseDc.get(), 0, 0, kSrcAnd);
        BitBlt(resultDc.get(), 0, 0, w, h, pictureDc.get(), 0, 0, kSrcInvert);
        BitBlt(destination, dx, dy, w, h, resultDc.get(), 0, 0, kSrcCopy);
    }  // the old bitmaps go back before the bitmaps and contexts are deleted
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
                              PixelSurface& colourScratch, Colour colour, int dx, int dy, int sx, int sy, int w,
                              int h, bool repaint) {
    fit(maskScratch, w, h);
    fit(colourScratch, w, h);
    colourScratch.SetBackColor(colour);
    MakeMask(source, maskScratch, -1, 0, 0, sx, sy, w, h, false);
    CopySurface(maskScratch, colourScratch, kSrcInvert, 0, 0, 0, 0, w, h, false);
    MaskedCopyChecked(colourScratch, destination, -1, dx, dy, 0, 0, w, h, repaint);
}

bool ButtonEx::MakeMask(const PixelSurface& source, PixelSurface& destination, int32_t key, int dx, int dy, int sx,
                        int sy, int w, int h, bool repaint) {
    HDC src = source.Dc();
    const COLORREF keyColour = key == -1 ? GetPixel(src, 0, 0) : static_cast<COLORREF>(key);
    bool ok = false;
    {
        gdi::MemoryDc maskDc(destination.Dc());
        gdi::Bitmap mask = gdi::Bitmap::Monochrome(w, h);
        ui::SelectedObject sel(maskDc.get(), mask.get());
        const COLORREF oldBk = SetBkColor(src, keyColour);
        ok = BitBlt(maskDc.get(), 0, 0, w, h, src, sx, sy, kSrcCopy) != FALSE;
        SetBkColor(src, oldBk);
        if (ok) ok = BitBlt(destination.Dc(), dx, dy, w, h, maskDc.get(), 0, 0, kSrcCopy) != FALSE;
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
        HDC dest = destination.Dc();
        gdi::MemoryDc maskDc(dest), inverseDc(dest), resultDc(dest), pictureDc(dest);
        gdi::Bitmap mask = gdi::Bitmap::Monochrome(w, h), inverse = gdi::Bitmap::Monochrome(w, h);
        gdi::Bitmap result = gdi::Bitmap::Compatible(dest, w, h);
        gdi::Bitmap picture = gdi::Bitmap::Compatible(dest, w, h);
        ui::SelectedObject s1(maskDc.get(), mask.get()), s2(inverseDc.get(), inverse.get());
        ui::SelectedObject s3(resultDc.get(), result.get()), s4(pictureDc.get(), picture.get());
        const COLORREF oldBk = SetBkColor(src, keyColour);
        ok = BitBlt(maskDc.get(), 0, 0, w, h, src, sx, sy, kSrcCopy) != FALSE;
        SetBkColor(src, oldBk);
        // Each copy runs only while the ones before it succeeded.
        ok = ok && BitBlt(inverseDc.get(), 0, 0, w, h, maskDc.get(), 0, 0, kNotSrcCopy);
        ok = ok && BitBlt(resultDc.get(), 0, 0, w, h, destination.Dc(), dx, dy, kSrcCopy);
        ok = ok && BitBlt(resultDc.get(), 0, 0, w, h, maskDc.get(), 0, 0, kSrcAnd);
        ok = ok && BitBlt(pictureDc.get(), 0, 0, w, h, src, sx, sy, kSrcCopy);
        ok = ok && BitBlt(pictureDc.get(), 0, 0, w, h, inverseDc.get(), 0, 0, kSrcAnd);
        ok = ok && BitBlt(resultDc.get(), 0, 0, w, h, pictureDc.get(), 0, 0, kSrcInvert);
        ok = ok && BitBlt(destination.Dc(), dx, dy, w, h, resultDc.get(), 0, 0, kSrcCopy);
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

    std::vector<Run> runs;
    if (shapePicture_.Handle()) {
        const SIZE px = shapePicture_.Pixels();
        const COLORREF mask = PixelSurface::Resolve(maskColour_);
        PixelSurface pixels(px.cx, px.cy);
        pixels.SetBackColor(mask);  // an icon's transparent parts count as mask colour
        gdi::DrawPictureAt(pixels.Dc(), shapePicture_, 0, 0);
        GdiFlush();
        runs = OpaqueRuns(pixels.Bits(), pixels.Width(), pixels.Height(), pixels.Width(), mask);
    }
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(runs.size());
    header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    RECT bounds{0, 0, 0, 0};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < runs.size(); ++i) {
        rects[i] = RECT{runs[i].left, runs[i].top, runs[i].right, runs[i].bottom};
        if (i == 0) bounds = rects[i];
        UnionRect(&bounds, &bounds, &rects[i]);
    }
    header->rcBound = bounds;
    gdi::Region region(runs.empty() ? CreateRectRgn(0, 0, 0, 0)
                                    : ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                                      reinterpret_cast<const RGNDATA*>(data.data())));
    if (region.GiveToWindow(hWnd(), TRUE)) {
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
