#include "ui/Accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <cwctype>
#include <new>
#include <utility>
#include <vector>

#include "base/Handles.h"

namespace ui {
namespace {

// oleacc.dll from the system folder, loaded at the first question and kept: the
// system's objects that readers may still hold run its code.
struct Oleacc {
    decltype(&CreateStdAccessibleObject) createStd = nullptr;
    decltype(&LresultFromObject) lresult = nullptr;
};

template <class Function>
Function exported(HMODULE module, const char* name) noexcept {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const Oleacc& oleacc() {
    static const Oleacc functions = [] {
        Oleacc o;
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return o;
        const std::wstring path = std::wstring(folder, length) + L"\\oleacc.dll";
        if (HMODULE module = LoadLibraryW(path.c_str())) {
            o.createStd = exported<decltype(o.createStd)>(module, "CreateStdAccessibleObject");
            o.lresult = exported<decltype(o.lresult)>(module, "LresultFromObject");
        }
        return o;
    }();
    return functions;
}

UINT actionMessage() {
    static const UINT message = RegisterWindowMessageA("Tollvane.AccessibleDefaultAction");
    return message;
}

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT giveText(const std::optional<std::wstring>& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!text || text->empty()) return S_FALSE;
    *out = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

// The object a reader holds. It lives as long as the reader keeps it; once its
// window is gone (owner_ null) it answers CO_E_OBJNOTCONNECTED.
class Accessible::Object final : public IAccessible, public IOleWindow {
public:
    Object(Accessible& owner, HWND hwnd, base::ComPtr<IAccessible> system) noexcept
        : owner_(&owner), hwnd_(hwnd), system_(std::move(system)) {}

    void Orphan() noexcept {
        owner_ = nullptr;
        system_.reset();
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(IAccessible)))
            *out = static_cast<IAccessible*>(this);
        else if (IsEqualIID(iid, IID_IOleWindow))
            *out = static_cast<IOleWindow*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleWindow: how oleacc finds the window of an object.
    STDMETHODIMP GetWindow(HWND* out) override {
        if (!out) return E_POINTER;
        *out = owner_ ? hwnd_ : nullptr;
        return owner_ ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch: readers use the interface itself, as the system's objects expect.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: what the owner knows, the rest from the system's object.
    STDMETHODIMP get_accName(VARIANT child, BSTR* out) override {
        return Own(child, &AccessibleFacts::name, out, [&] { return system_->get_accName(child, out); });
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* out) override {
        return Own(child, &AccessibleFacts::value, out, [&] { return system_->get_accValue(child, out); });
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return Own(child, &AccessibleFacts::shortcut, out,
                   [&] { return system_->get_accKeyboardShortcut(child, out); });
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) override {
        return Own(child, &AccessibleFacts::defaultAction, out,
                   [&] { return system_->get_accDefaultAction(child, out); });
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* out) override {
        return Guard([&]() -> HRESULT {
            if (!out) return E_POINTER;
            if (isSelf(child))
                if (const auto role = owner_->describe_().role) {
                    VariantInit(out);
                    out->vt = VT_I4;
                    out->lVal = *role;
                    return S_OK;
                }
            return system_->get_accRole(child, out);
        });
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* out) override {
        return Guard([&]() -> HRESULT {
            if (!out) return E_POINTER;
            if (isSelf(child))
                if (const auto state = owner_->describe_().state) {
                    VariantInit(out);
                    out->vt = VT_I4;
                    out->lVal = *state | (IsWindowVisible(hwnd_) ? 0 : STATE_SYSTEM_INVISIBLE);
                    return S_OK;
                }
            return system_->get_accState(child, out);
        });
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override {
        return Guard([&]() -> HRESULT {
            if (isSelf(child) && owner_->act_ && owner_->describe_().defaultAction) {
                // From the window's own loop, after the reader's call has returned.
                return PostMessageA(hwnd_, actionMessage(), 0, 0) ? S_OK : E_FAIL;
            }
            return system_->accDoDefaultAction(child);
        });
    }

    STDMETHODIMP get_accParent(IDispatch** out) override {
        return Guard([&] { return system_->get_accParent(out); });
    }
    STDMETHODIMP get_accChildCount(long* out) override {
        return Guard([&] { return system_->get_accChildCount(out); });
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
        return Guard([&] { return system_->get_accChild(child, out); });
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) override {
        return Guard([&] { return system_->get_accDescription(child, out); });
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* out) override {
        return Guard([&] { return system_->get_accHelp(child, out); });
    }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return Guard([&] { return system_->get_accHelpTopic(file, child, topic); });
    }
    STDMETHODIMP get_accFocus(VARIANT* out) override {
        return Guard([&] { return system_->get_accFocus(out); });
    }
    STDMETHODIMP get_accSelection(VARIANT* out) override {
        return Guard([&] { return system_->get_accSelection(out); });
    }
    STDMETHODIMP accSelect(long flags, VARIANT child) override {
        return Guard([&] { return system_->accSelect(flags, child); });
    }
    STDMETHODIMP accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
        return Guard([&] { return system_->accLocation(x, y, w, h, child); });
    }
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* out) override {
        return Guard([&] { return system_->accNavigate(direction, start, out); });
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT* out) override {
        return Guard([&] { return system_->accHitTest(x, y, out); });
    }
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override {
        return Guard([&] { return system_->put_accName(child, name); });
    }
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override {
        return Guard([&] { return system_->put_accValue(child, value); });
    }

private:
    ~Object() = default;

    // Nothing thrown leaves a call from another process; a window gone answers so.
    template <class Call>
    HRESULT Guard(Call&& call) noexcept {
        if (!owner_ || !system_) return CO_E_OBJNOTCONNECTED;
        try {
            return call();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }
    template <class System>
    HRESULT Own(const VARIANT& child, std::optional<std::wstring> AccessibleFacts::*fact, BSTR* out, System&& system) {
        return Guard([&]() -> HRESULT {
            if (isSelf(child)) {
                const AccessibleFacts facts = owner_->describe_();
                if (facts.*fact) return giveText(facts.*fact, out);
            }
            return system();
        });
    }

    LONG refs_ = 1;
    Accessible* owner_;
    HWND hwnd_;
    base::ComPtr<IAccessible> system_;
};

Accessible::Accessible(long objectId, std::function<AccessibleFacts()> describe, std::function<void()> act)
    : objectId_(objectId), describe_(std::move(describe)), act_(std::move(act)) {}

Accessible::~Accessible() { Disconnect(); }

bool Accessible::Answer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_DESTROY) {
        Disconnect();
        return false;
    }
    if (msg == actionMessage() && msg != 0) {
        result = 0;
        // A copy, called last: the action may close the window, and this with it.
        if (const auto act = act_) act();
        return true;
    }
    // The object identifier is a 32-bit value, however wide lParam is.
    if (msg != WM_GETOBJECT || static_cast<LONG>(static_cast<DWORD>(lParam)) != objectId_) return false;
    const Oleacc& functions = oleacc();
    if (!functions.createStd || !functions.lresult) return false;
    // Handing the object to another process needs COM on this thread; the program
    // may not have begun it yet (the splash shows before anything else).
    static base::ComApartment com;
    if (!object_) {
        base::ComPtr<IAccessible> system;
        if (FAILED(
                functions.createStd(hwnd, objectId_, __uuidof(IAccessible), reinterpret_cast<void**>(system.put()))) ||
            !system)
            return false;
        object_ = new (std::nothrow) Object(*this, hwnd, std::move(system));
        if (!object_) return false;
    }
    result = functions.lresult(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return true;
}

void Accessible::Disconnect() noexcept {
    if (!object_) return;
    Object* object = object_;
    object_ = nullptr;
    object->Orphan();
    // Readers in other processes are cut off too, rather than calling into a window that is gone.
    CoDisconnectObject(static_cast<IAccessible*>(object), 0);
    object->Release();
}

void StackChildrenInReadingOrder(HWND parent) {
    struct Placed {
        HWND window;
        RECT bounds;
    };
    std::vector<Placed> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        Placed p{c, {}};
        GetWindowRect(c, &p.bounds);
        children.push_back(p);
    }
    std::stable_sort(children.begin(), children.end(), [](const Placed& a, const Placed& b) {
        return a.bounds.top != b.bounds.top ? a.bounds.top < b.bounds.top : a.bounds.left < b.bounds.left;
    });
    HWND after = HWND_TOP;
    for (const Placed& c : children) {
        SetWindowPos(c.window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = c.window;
    }
}

std::wstring AccessKeyShortcut(const std::wstring& key) {
    if (key.size() != 1) return {};
    return L"Alt+" + std::wstring(1, static_cast<wchar_t>(std::towupper(static_cast<wint_t>(key[0]))));
}

}  // namespace ui
