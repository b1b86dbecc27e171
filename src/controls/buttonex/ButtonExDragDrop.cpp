// The platform's drag and drop for the button: a drop target registered for
// its window while its drop mode is not 0 ("none"), and OLEDrag starting a drag
// with the button as the source. The events pass the platform's own arguments
// by reference.
#include <shlobj.h>

#include <memory>
#include <vector>

#include "base/CallbackBoundary.h"
#include "base/Handles.h"
#include "controls/buttonex/ButtonEx.h"

namespace buttonex {

namespace {

int16_t buttonsOf(DWORD keys) {
    int16_t b = 0;
    if (keys & MK_LBUTTON) b |= 1;
    if (keys & MK_RBUTTON) b |= 2;
    if (keys & MK_MBUTTON) b |= 4;
    return b;
}

int16_t shiftOf(DWORD keys) {
    int16_t s = 0;
    if (keys & MK_SHIFT) s |= 1;
    if (keys & MK_CONTROL) s |= 2;
    if (keys & MK_ALT) s |= 4;
    return s;
}

// Reference counting shared by the three small COM objects below.
template <class Derived>
struct Counted {
    LONG refs = 1;
    ULONG add() { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
    ULONG release() {
        const LONG n = InterlockedDecrement(&refs);
        if (n == 0) delete static_cast<Derived*>(this);
        return static_cast<ULONG>(n);
    }
};

// The data a drag from the button carries: what the handlers put in with
// SetData; a format asked for and not yet there is requested through OLESetData.
class DragData final : public IDataObject, Counted<DragData> {
public:
    DragData(ButtonEx& owner, std::shared_ptr<const bool> alive) : owner_(owner), alive_(std::move(alive)) {}
    ~DragData() {
        for (auto& e : entries_) ReleaseStgMedium(&e.medium);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            add();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return add(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return release(); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fmt, STGMEDIUM* medium) noexcept override {
        if (!fmt || !medium) return E_POINTER;
        Entry* e = find(fmt->cfFormat);
        if (!e && !asking_ && *alive_) {
            asking_ = true;
            IDataObject* Data = this;
            int16_t DataFormat = static_cast<int16_t>(fmt->cfFormat);
            // A handler that throws has given nothing.
            base::CallbackBoundary([&] { owner_.OnOLESetData(Data, DataFormat); });
            asking_ = false;
            e = find(fmt->cfFormat);
        }
        if (!e || !(fmt->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        const SIZE_T size = GlobalSize(e->medium.hGlobal);
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
        if (!copy) return E_OUTOFMEMORY;
        void* dst = GlobalLock(copy);
        void* src = GlobalLock(e->medium.hGlobal);
        if (dst && src) memcpy(dst, src, size);
        if (src) GlobalUnlock(e->medium.hGlobal);
        if (dst) GlobalUnlock(copy);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fmt) noexcept override {
        return fmt && find(fmt->cfFormat) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) noexcept override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* fmt, STGMEDIUM* medium, BOOL release) noexcept override {
        if (!fmt || !medium || medium->tymed != TYMED_HGLOBAL || !release) return E_NOTIMPL;
        if (Entry* old = find(fmt->cfFormat)) {
            ReleaseStgMedium(&old->medium);
            old->medium = *medium;
            return S_OK;
        }
        return base::CallbackBoundary(E_OUTOFMEMORY, [&] {
            entries_.push_back({*fmt, *medium});
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) noexcept override {
        if (!out) return E_POINTER;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        return base::CallbackBoundary(E_OUTOFMEMORY, [&] {
            std::vector<FORMATETC> formats;
            for (auto& e : entries_) formats.push_back(e.format);
            return SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
        });
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    friend struct Counted<DragData>;
    struct Entry {
        FORMATETC format;
        STGMEDIUM medium;
    };
    Entry* find(CLIPFORMAT cf) {
        for (auto& e : entries_)
            if (e.format.cfFormat == cf) return &e;
        return nullptr;
    }
    ButtonEx& owner_;
    std::shared_ptr<const bool> alive_;  // a handler may destroy the button during the drag
    std::vector<Entry> entries_;
    bool asking_ = false;
};

class DragSource final : public IDropSource, Counted<DragSource> {
public:
    DragSource(ButtonEx& owner, std::shared_ptr<const bool> alive) : owner_(owner), alive_(std::move(alive)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            add();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return add(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return release(); }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) noexcept override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) noexcept override {
        int32_t Effect = static_cast<int32_t>(effect);
        bool DefaultCursors = true;
        const bool answered = base::CallbackBoundary(false, [&] {
            if (*alive_) owner_.OnOLEGiveFeedback(Effect, DefaultCursors);
            return true;
        });
        return DefaultCursors || !answered ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
    }

private:
    friend struct Counted<DragSource>;
    ButtonEx& owner_;
    std::shared_ptr<const bool> alive_;
};

}  // namespace

struct ButtonEx::DropTarget final : IDropTarget, Counted<ButtonEx::DropTarget> {
    explicit DropTarget(ButtonEx& o) : owner(&o) {}
    ButtonEx* owner;  // cleared when the window goes
    IDataObject* data = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *out = static_cast<IDropTarget*>(this);
            add();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return add(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return release(); }

    void hold(IDataObject* d) {
        if (d) d->AddRef();
        if (data) data->Release();
        data = d;
    }
    // A handler that throws takes nothing: its drop is dropped.
    void over(DWORD keys, POINTL pt, DWORD* effect, int16_t state) noexcept {
        if (!base::CallbackBoundary(false,
                                    [&] {
                                        raiseOver(keys, pt, effect, state);
                                        return true;
                                    }) &&
            effect)
            *effect = DROPEFFECT_NONE;
    }
    void raiseOver(DWORD keys, POINTL pt, DWORD* effect, int16_t state) {
        if (!owner || !owner->IsCreated()) return;
        POINT p{pt.x, pt.y};
        ScreenToClient(owner->hWnd(), &p);
        IDataObject* Data = data;
        int32_t Effect = effect ? static_cast<int32_t>(*effect) : 0;
        int16_t Button = buttonsOf(keys), Shift = shiftOf(keys), State = state;
        float X = static_cast<float>(p.x) * TwipsPerPixelX(), Y = static_cast<float>(p.y) * TwipsPerPixelY();
        owner->OnOLEDragOver(Data, Effect, Button, Shift, X, Y, State);
        if (effect) *effect = static_cast<DWORD>(Effect);
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* d, DWORD keys, POINTL pt, DWORD* effect) noexcept override {
        hold(d);
        over(keys, pt, effect, 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) noexcept override {
        over(keys, pt, effect, 2);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() noexcept override {
        POINT cursor{};
        GetCursorPos(&cursor);
        DWORD effect = DROPEFFECT_NONE;
        over(0, POINTL{cursor.x, cursor.y}, &effect, 1);
        hold(nullptr);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* d, DWORD keys, POINTL pt, DWORD* effect) noexcept override {
        hold(d);
        if (!base::CallbackBoundary(false,
                                    [&] {
                                        raiseDrop(keys, pt, effect);
                                        return true;
                                    }) &&
            effect)
            *effect = DROPEFFECT_NONE;
        hold(nullptr);
        return S_OK;
    }
    void raiseDrop(DWORD keys, POINTL pt, DWORD* effect) {
        int32_t Effect = DROPEFFECT_NONE;  // what nobody took
        if (owner && owner->IsCreated()) {
            POINT p{pt.x, pt.y};
            ScreenToClient(owner->hWnd(), &p);
            IDataObject* Data = data;
            Effect = effect ? static_cast<int32_t>(*effect) : 0;
            int16_t Button = buttonsOf(keys), Shift = shiftOf(keys);
            float X = static_cast<float>(p.x) * TwipsPerPixelX(), Y = static_cast<float>(p.y) * TwipsPerPixelY();
            owner->OnOLEDragDrop(Data, Effect, Button, Shift, X, Y);
        }
        if (effect) *effect = static_cast<DWORD>(Effect);
    }
};

IDropTarget* ButtonEx::dropTargetInterface() const noexcept { return dropTarget_; }

void ButtonEx::RegisterDropTarget() {
    if (dropRegistered_ || !IsCreated() || m_OLEDropMode == 0) return;
    if (!dropTarget_) dropTarget_ = new DropTarget(*this);
    // Needs OLE on this thread; without it the button simply takes no drops.
    dropRegistered_ = SUCCEEDED(RegisterDragDrop(hWnd(), dropTarget_));
}

void ButtonEx::RevokeDropTarget() {
    if (dropRegistered_ && IsCreated()) RevokeDragDrop(hWnd());
    dropRegistered_ = false;
    if (dropTarget_) {
        dropTarget_->owner = nullptr;
        dropTarget_->hold(nullptr);
        dropTarget_->Release();
        dropTarget_ = nullptr;
    }
}

void ButtonEx::OLEDrag() {
    if (!IsCreated()) return;
    const auto alive = Lifeline();
    // Owned here, so that a handler that throws leaks neither.
    const auto data = base::ComPtr<IDataObject>::attach(new DragData(*this, alive));
    const auto source = base::ComPtr<IDropSource>::attach(new DragSource(*this, alive));
    IDataObject* Data = data.get();
    int32_t AllowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    OnOLEStartDrag(Data, AllowedEffects);
    if (AllowedEffects != 0 && *alive) {
        DWORD effect = DROPEFFECT_NONE;
        const HRESULT hr = DoDragDrop(data.get(), source.get(), static_cast<DWORD>(AllowedEffects), &effect);
        int32_t Effect = hr == DRAGDROP_S_DROP ? static_cast<int32_t>(effect) : 0;
        if (*alive) OnOLECompleteDrag(Effect);
    }
}

}  // namespace buttonex
