#include "ui/Picture.h"

#include <cstring>

#include "ui/Units.h"

namespace ui {
namespace {

Picture create(PICTDESC& desc) {
    desc.cbSizeofstruct = sizeof desc;
    base::ComPtr<IPicture> p;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, reinterpret_cast<void**>(p.put())))) return {};
    return Picture(std::move(p));
}

// The picture owns the handle from here on; a handle no picture took is released.
template <class Release>
Picture adopt(PICTDESC& desc, Release release) {
    Picture p = create(desc);
    if (!p.IsPresent()) release();
    return p;
}

}  // namespace

Picture Picture::FromIcon(HICON icon) {
    if (!icon) return {};
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON, desc.icon.hicon = icon;
    return adopt(desc, [icon] { DestroyIcon(icon); });
}

Picture Picture::FromBitmap(HBITMAP bitmap) {
    if (!bitmap) return {};
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP, desc.bmp.hbitmap = bitmap;
    return adopt(desc, [bitmap] { DeleteObject(bitmap); });
}

Picture Picture::Empty() {
    PICTDESC desc{};
    desc.picType = PICTYPE_NONE;
    return create(desc);
}

Picture Picture::FromIconResource(int id, int size) {
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    return FromIcon(icon);
}

Picture Picture::FromFileBytes(const void* data, size_t size) {
    if (!data || size == 0) return {};
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!mem) return {};
    void* dst = GlobalLock(mem);
    if (!dst) {
        GlobalFree(mem);
        return {};
    }
    std::memcpy(dst, data, size);
    GlobalUnlock(mem);
    base::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, stream.put()))) {
        GlobalFree(mem);
        return {};
    }
    base::ComPtr<IPicture> p;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(p.put()))))
        return {};
    return Picture(std::move(p));
}

std::vector<unsigned char> Picture::FileBytes() const {
    std::vector<unsigned char> out;
    if (!p_ || Type() == PICTYPE_NONE) return out;
    base::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return out;
    LONG written = 0;
    if (FAILED(p_->SaveAsFile(stream.get(), TRUE, &written)) || written <= 0) return out;
    HGLOBAL mem = nullptr;
    if (FAILED(GetHGlobalFromStream(stream.get(), &mem))) return out;
    const void* src = GlobalLock(mem);
    if (!src) return out;
    out.assign(static_cast<const unsigned char*>(src), static_cast<const unsigned char*>(src) + written);
    GlobalUnlock(mem);
    return out;
}

short Picture::Type() const {
    if (!p_) return PICTYPE_UNINITIALIZED;
    SHORT t = PICTYPE_UNINITIALIZED;
    p_->get_Type(&t);
    return t;
}

HANDLE Picture::Handle() const {
    if (!p_) return nullptr;
    OLE_HANDLE h = 0;
    if (FAILED(p_->get_Handle(&h))) return nullptr;
    return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(h));
}

SIZE Picture::Himetric() const {
    SIZE s{0, 0};
    if (!p_) return s;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    p_->get_Width(&w);
    p_->get_Height(&h);
    s.cx = w;
    s.cy = h;
    return s;
}

SIZE Picture::Pixels() const {
    SIZE s{0, 0};
    HANDLE h = Handle();
    if (!h) return s;
    if (Type() == PICTYPE_BITMAP) {
        BITMAP bm{};
        if (GetObjectA(h, sizeof bm, &bm)) s = {bm.bmWidth, bm.bmHeight};
    } else if (Type() == PICTYPE_ICON) {
        ICONINFO ii{};
        if (GetIconInfo(static_cast<HICON>(h), &ii)) {
            BITMAP bm{};
            HBITMAP src = ii.hbmColor ? ii.hbmColor : ii.hbmMask;
            if (GetObjectA(src, sizeof bm, &bm)) s = {bm.bmWidth, ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
        }
    }
    return s;
}

void Picture::DrawAt(HDC dc, int x, int y) const {
    HANDLE h = Handle();
    if (!h) return;
    const SIZE px = Pixels();
    switch (Type()) {
        case PICTYPE_BITMAP: {
            base::UniqueMemoryDc mem(CreateCompatibleDC(dc));
            base::SelectedObject selected(mem.get(), h);
            BitBlt(dc, x, y, px.cx, px.cy, mem.get(), 0, 0, SRCCOPY);
            break;
        }
        case PICTYPE_ICON:
            DrawIconEx(dc, x, y, static_cast<HICON>(h), px.cx, px.cy, 0, nullptr, DI_NORMAL);
            break;
        default: {
            // Metafiles: let the picture object render itself at 96 dpi.
            const SIZE hm = Himetric();
            p_->Render(dc, x, y, HimetricToPixels(hm.cx, kStandardDpi), HimetricToPixels(hm.cy, kStandardDpi), 0, hm.cy,
                       hm.cx, -hm.cy, nullptr);
            break;
        }
    }
}

void Picture::DrawScaled(HDC dc, int x, int y, int w, int h, int stretchMode) const {
    HANDLE h0 = Handle();
    if (!h0) return;
    const SIZE px = Pixels();
    if (px.cx == w && px.cy == h) return DrawAt(dc, x, y);
    const int oldMode = SetStretchBltMode(dc, stretchMode);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);  // as HALFTONE asks after the mode is set
    if (Type() == PICTYPE_BITMAP) {
        base::UniqueMemoryDc mem(CreateCompatibleDC(dc));
        base::SelectedObject selected(mem.get(), h0);
        StretchBlt(dc, x, y, w, h, mem.get(), 0, 0, px.cx, px.cy, SRCCOPY);
    } else if (Type() == PICTYPE_ICON) {
        DrawIconEx(dc, x, y, static_cast<HICON>(h0), w, h, 0, nullptr, DI_NORMAL);
    } else {
        const SIZE hm = Himetric();
        p_->Render(dc, x, y, w, h, 0, hm.cy, hm.cx, -hm.cy, nullptr);
    }
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

}  // namespace ui
