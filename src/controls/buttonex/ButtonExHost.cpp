#include "controls/buttonex/ButtonExHost.h"

#include "controls/buttonex/ButtonExProperties.h"

#include <algorithm>
#include <cwctype>

namespace buttonex {

ButtonExHost::ButtonExHost() : ambientFont_(ui::Font::Create(ui::Font::Desc{})) {}

ButtonExHost::~ButtonExHost() = default;

void ButtonExHost::SetDisplayAsDefault(ButtonEx& control, bool value) {
    ButtonEx* before = displayAsDefault_;
    ButtonEx* after = value ? &control : (before == &control ? nullptr : before);
    displayAsDefault_ = after;
    if (before && before != after) before->AmbientChanged(L"DisplayAsDefault");
    if (after && after != before) after->AmbientChanged(L"DisplayAsDefault");
}

bool ButtonExHost::AmbientDisplayAsDefault(const ButtonEx& control) { return displayAsDefault_ == &control; }

void ButtonExHost::PropertyChanged(ButtonEx& control, std::string_view property) {
    if (onPropertyChanged) onPropertyChanged(control, property);
}

std::optional<PropertyError> ButtonExHost::Load(ButtonEx& control, std::span<const uint8_t> store, int leftTwips,
                                                int topTwips, int tabIndex) {
    const ui::Dpi dpi = ui::ScreenDpi();
    PropertyBag bag = PropertyBag::FromBytes(store);
    // The extent is the container's own record, read before the button's properties.
    int32_t ex = 0, ey = 0;
    std::string error;
    const bool haveX = bag.Read("_extentx", 0, ex, error) && ex > 0;
    const bool haveY = bag.Read("_extenty", 0, ey, error) && ey > 0;
    if (haveX || haveY) {
        const int32_t w = haveX ? ui::PixelsToTwips(ui::HimetricToPixels(ex, dpi.x), dpi.x) : control.WidthTwips();
        const int32_t h = haveY ? ui::PixelsToTwips(ui::HimetricToPixels(ey, dpi.y), dpi.y) : control.HeightTwips();
        control.SetSizeTwips(w, h);
    }
    if (form_) control.Create(form_, ui::TwipsToPixels(leftTwips, dpi.x), ui::TwipsToPixels(topTwips, dpi.y), tabIndex);
    return control.ReadProperties(bag);
}

void ButtonExHost::Place(ButtonEx& control, int leftTwips, int topTwips, int tabIndex) {
    const ui::Dpi dpi = ui::ScreenDpi();
    if (form_) control.Create(form_, ui::TwipsToPixels(leftTwips, dpi.x), ui::TwipsToPixels(topTwips, dpi.y), tabIndex);
    control.InitProperties();
}

ButtonExHost::Saved ButtonExHost::Save(ButtonEx& control) {
    PropertyBag bag;
    const ui::Dpi dpi = ui::ScreenDpi();
    bag.Write("_extentx", ui::PixelsToHimetric(control.Surface().Width(), dpi.x), 0);
    bag.Write("_extenty", ui::PixelsToHimetric(control.Surface().Height(), dpi.y), 0);
    Saved saved;
    saved.error = control.WriteProperties(bag);
    store::Encoded encoded = bag.ToBytes();
    if (!encoded.ok()) {
        // Written, such a store would lose every property on loading.
        std::string property = encoded.name;
        for (const PropertyInfo& p : kProperties)
            if (store::NamesEqual(p.name, property)) property = p.name;
        saved.error = PropertyError{property, "cannot be stored: " + encoded.error};
        return saved;
    }
    saved.bytes = std::move(encoded.bytes);
    return saved;
}

bool ButtonExHost::HandleFormMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& r) {
    if (msg != WM_SYSCHAR) return false;
    if (!RouteAccessKey(static_cast<wchar_t>(static_cast<unsigned char>(wParam & 0xFF)))) return false;
    r = 0;
    return true;
}

bool ButtonExHost::RouteAccessKey(wchar_t key) {
    const wint_t wanted = std::towupper(static_cast<wint_t>(key));
    for (ButtonEx* c : controls_) {
        const std::wstring& k = c->AccessKey();
        if (k.size() == 1 && std::towupper(static_cast<wint_t>(k[0])) == wanted && c->Enabled() &&
            IsWindowVisible(c->hWnd())) {
            c->OnAccessKeyPress(static_cast<int16_t>(key));
            return true;
        }
    }
    return false;
}

void ButtonExHost::FocusNext(ButtonEx* from, bool backwards) {
    std::vector<ButtonEx*> order;
    for (ButtonEx* c : controls_)
        if (c->IsCreated() && IsWindowEnabled(c->hWnd()) && IsWindowVisible(c->hWnd())) order.push_back(c);
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(),
                     [](const ButtonEx* a, const ButtonEx* b) { return a->TabIndex() < b->TabIndex(); });
    auto it = std::find(order.begin(), order.end(), from);
    size_t i = 0;
    if (it != order.end()) {
        const size_t at = static_cast<size_t>(it - order.begin());
        i = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
    } else if (backwards) {
        i = order.size() - 1;
    }
    SetFocus(order[i]->hWnd());
}

bool ButtonExHost::RouteTab(ButtonEx& from, bool backwards) {
    if (onDialogKey && onDialogKey(from, VK_TAB)) return true;
    FocusNext(&from, backwards);
    // The keyboard is in use: focus cues show from now on, where they were hidden.
    if (form_) SendMessageA(form_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return true;
}

bool ButtonExHost::RouteDialogKey(ButtonEx& from, UINT key) { return onDialogKey && onDialogKey(from, key); }

void ButtonExHost::CapturePointer(ButtonEx& control, bool capture) {
    if (capture)
        SetCapture(control.hWnd());
    else if (GetCapture() == control.hWnd())
        ReleaseCapture();
}

void ButtonExHost::Sited(ButtonEx& control) {
    if (std::find(controls_.begin(), controls_.end(), &control) == controls_.end()) controls_.push_back(&control);
}

void ButtonExHost::Unsited(ButtonEx& control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
    if (displayAsDefault_ == &control) displayAsDefault_ = nullptr;
}

}  // namespace buttonex
