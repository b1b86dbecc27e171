#include "controls/buttonex/ButtonEx.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

#include "controls/buttonex/ButtonExProperties.h"
#include "controls/buttonex/PropertyBag.h"

namespace buttonex {

namespace {
constexpr UINT_PTR kHoverTimerId = 1;
}  // namespace

ButtonEx::ButtonEx(ButtonExContainer& container, ButtonExEvents* events)
    : container_(container),
      events_(events),
      surface_(80, 24),
      Timer1(*this, kHoverTimerId, 1, false, [this] { HoverPoll(); }) {
    Initialize();
}

ButtonEx::~ButtonEx() {
    *alive_ = false;
    Destroy();  // the window goes before the surfaces it shows (and leaves its container)
}

float ButtonEx::TwipsPerPixelX() { return static_cast<float>(ui::TwipsPerPixel(ui::ScreenDpi().x)); }
float ButtonEx::TwipsPerPixelY() { return static_cast<float>(ui::TwipsPerPixel(ui::ScreenDpi().y)); }

int32_t ButtonEx::WidthTwips() const { return ui::PixelsToTwips(surface_.Width(), ui::ScreenDpi().x); }
int32_t ButtonEx::HeightTwips() const { return ui::PixelsToTwips(surface_.Height(), ui::ScreenDpi().y); }

void ButtonEx::SetSizeTwips(double width, double height) {
    const ui::Dpi dpi = ui::ScreenDpi();
    // The window no larger than the surface that draws it.
    const int w = std::clamp(ui::TwipsToPixels(width, dpi.x), 1, kMaxSurfaceSide);
    const int h = std::clamp(ui::TwipsToPixels(height, dpi.y), 1, kMaxSurfaceSide);
    if (w == surface_.Width() && h == surface_.Height()) return;
    if (IsCreated()) {
        // WM_SIZE resizes the surface and runs the resize handling before this returns.
        SetWindowPos(hWnd(), nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        surface_.Resize(w, h);
        OnResize();
    }
}

void ButtonEx::PropertyChangedNotify(std::string_view name) { container_.PropertyChanged(*this, name); }

// ---------------------------------------------------------------- properties

// The shape the setters share: store, pass the value on to the window and the
// picture holder, repaint where the property shows, and last tell the container.
template <class T, class PassOn>
void ButtonEx::Assign(T& member, const T& NewValue, std::string_view name, bool repaint, PassOn passOn) {
    member = NewValue;
    passOn();
    if (repaint) Repaint();
    PropertyChangedNotify(name);
}

namespace {
constexpr bool kNoRepaint = false;  // stored only: the value shows at the next repaint
}

void ButtonEx::SetAllowDefault(bool NewValue) { Assign(m_AllowDefault, NewValue, "AllowDefault"); }
void ButtonEx::SetAllowFocus(bool NewValue) { Assign(m_AllowFocus, NewValue, "AllowFocus"); }
void ButtonEx::SetAppearance(int32_t NewValue) { Assign(m_Appearance, NewValue, "Appearance"); }
void ButtonEx::SetBorderStyle(int32_t NewValue) { Assign(m_BorderStyle, NewValue, "BorderStyle"); }
void ButtonEx::SetCaptionOffsetX(int32_t NewValue) { Assign(m_CaptionOffsetX, NewValue, "CaptionOffsetX"); }
void ButtonEx::SetCaptionOffsetY(int32_t NewValue) { Assign(m_CaptionOffsetY, NewValue, "CaptionOffsetY"); }
void ButtonEx::SetHighlightColor(Colour NewValue) { Assign(m_HighlightColor, NewValue, "HighlightColor"); }
void ButtonEx::SetPictureOffsetX(int32_t NewValue) { Assign(m_PictureOffsetX, NewValue, "PictureOffsetX"); }
void ButtonEx::SetPictureOffsetY(int32_t NewValue) { Assign(m_PictureOffsetY, NewValue, "PictureOffsetY"); }
void ButtonEx::SetSkinDisabled(const ui::Picture& NewValue) { Assign(m_SkinDisabled, NewValue, "SkinDisabled"); }
void ButtonEx::SetSkinDown(const ui::Picture& NewValue) { Assign(m_SkinDown, NewValue, "SkinDown"); }
void ButtonEx::SetSkinFocus(const ui::Picture& NewValue) { Assign(m_SkinFocus, NewValue, "SkinFocus"); }
void ButtonEx::SetSkinOver(const ui::Picture& NewValue) { Assign(m_SkinOver, NewValue, "SkinOver"); }
void ButtonEx::SetSkinUp(const ui::Picture& NewValue) { Assign(m_SkinUp, NewValue, "SkinUp"); }
void ButtonEx::SetStyle(int32_t NewValue) { Assign(m_Style, NewValue, "Style"); }

void ButtonEx::SetOLEDropMode(int32_t NewValue) {
    Assign(m_OLEDropMode, NewValue, "OLEDropMode", kNoRepaint);
    // Drop mode 0 is "none": the button is then no drop target at all.
    if (m_OLEDropMode != 0)
        RegisterDropTarget();
    else
        RevokeDropTarget();
}
void ButtonEx::SetPictureDisabled(const ui::Picture& NewValue) {
    Assign(m_PictureDisabled, NewValue, "PictureDisabled", kNoRepaint);
}
void ButtonEx::SetPictureDown(const ui::Picture& NewValue) {
    Assign(m_PictureDown, NewValue, "PictureDown", kNoRepaint);
}
void ButtonEx::SetPictureFocus(const ui::Picture& New_PictureFocus) {
    Assign(m_PictureFocus, New_PictureFocus, "PictureFocus", kNoRepaint);
}
void ButtonEx::SetPictureOver(const ui::Picture& New_PictureOver) {
    Assign(m_PictureOver, New_PictureOver, "PictureOver", kNoRepaint);
}

void ButtonEx::SetBackColor(Colour NewValue) {
    Assign(m_BackColor, NewValue, "BackColor", true, [&] {
        surface_.SetBackColor(NewValue);
        imgPicture.backColor = NewValue;
        imgPicture.stale = true;
    });
}

void ButtonEx::SetCaption(const std::wstring& NewValue) {
    Assign(m_Caption, NewValue, "Caption", true, [&] {
        // A caption without a single "&" leaves the previous access key in place.
        if (auto key = layout::FindAccessKey(m_Caption)) accessKey_ = *key;
    });
}

void ButtonEx::SetEnabled(bool NewValue) {
    Assign(m_Enabled, NewValue, "Enabled", true, [&] {
        surfaceEnabled_ = NewValue;
        if (IsCreated()) EnableWindow(hWnd(), NewValue);
        imgPicture.enabled = NewValue;
        if (NewValue) m_State = Up;
    });
}

void ButtonEx::SetForeColor(Colour NewValue) {
    Assign(m_ForeColor, NewValue, "ForeColor", true, [&] {
        surface_.SetForeColor(NewValue);
        imgPicture.foreColor = NewValue;
    });
}

void ButtonEx::SetFont(const ui::Font& NewValue) {
    Assign(m_Font, NewValue, "Font", true, [&] {
        surface_.SetFont(m_Font.Handle());
        imgPicture.font = NewValue;
    });
}

void ButtonEx::SetHighlightPicture(bool NewValue) {
    m_HighlightPicture = NewValue;
    Redraw(Disabled);
    PropertyChangedNotify("HighlightPicture");
}

void ButtonEx::SetMouseIcon(const ui::Picture& NewValue) {
    Assign(m_MouseIcon, NewValue, "MouseIcon", kNoRepaint, [&] {
        surfaceMouseIcon_ = NewValue;
        imgPicture.mouseIcon = NewValue;
    });
}

void ButtonEx::SetMousePointer(int32_t NewValue) {
    Assign(m_MousePointer, NewValue, "MousePointer", kNoRepaint, [&] {
        surfaceMousePointer_ = NewValue;
        imgPicture.mousePointer = NewValue;
    });
}

void ButtonEx::SetPicture(const ui::Picture& NewValue) {
    Assign(m_Picture, NewValue, "Picture", true, [&] { SetHolderPicture(NewValue); });
}

void ButtonEx::SetRightToLeft(bool NewValue) {
    Assign(m_RightToLeft, NewValue, "RightToLeft", true, [&] {
        surfaceRightToLeft_ = NewValue;
        imgPicture.rightToLeft = NewValue;
    });
}

void ButtonEx::SetToolTipText(const std::wstring& NewValue) {
    Assign(m_ToolTipText, NewValue, "ToolTipText", kNoRepaint, [&] { imgPicture.toolTipText = NewValue; });
}

void ButtonEx::SetTransparentColor(Colour NewValue) {
    Assign(m_TransparentColor, NewValue, "TransparentColor", true, [&] { maskColour_ = NewValue; });
}

void ButtonEx::SetValue(int32_t NewValue) {
    m_Value = NewValue;
    Redraw(NewValue);
    PropertyChangedNotify("Value");
}

void ButtonEx::SetWhatsThisHelpID(int32_t NewValue) {
    Assign(m_WhatsThisHelpID, NewValue, "WhatsThisHelpID", kNoRepaint, [&] { imgPicture.helpContextId = NewValue; });
}

std::string_view ButtonEx::Description(std::string_view property) noexcept {
    for (const PropertyInfo& p : kProperties)
        if (p.name == property) return p.description;
    return {};
}

// ---------------------------------------------------------------- persistence

void ButtonEx::InitProperties() {
    for (const PropertyInfo& p : kProperties) {
        std::visit(Overloaded{
                       [&](const FlagAccess& a) { (this->*a.set)(p.def != 0); },
                       [&](const NumberAccess& a) { (this->*a.set)(static_cast<int32_t>(p.def)); },
                       [&](const ColourAccess& a) { (this->*a.set)(static_cast<Colour>(p.def)); },
                       [&](const TextAccess& a) { (this->*a.set)(std::wstring(p.text)); },
                       [&](const FontAccess& a) { (this->*a.set)(container_.AmbientFont()); },
                       // Each picture property gets its own empty picture.
                       [&](const PictureAccess& a) { (this->*a.set)(ui::Picture::Empty()); },
                   },
                   p.access);
    }
}

std::optional<PropertyError> ButtonEx::ReadProperties(const PropertyBag& bag) {
    m_Value = 1;
    // Each value goes through its setter, or loading ends at that property.
    for (const PropertyInfo& p : kProperties) {
        std::string error;
        auto apply = [&](auto def, auto set) {
            decltype(def) v;
            if (!bag.Read(p.name, def, v, error)) return false;
            set(v);
            return true;
        };
        const bool ok =
            std::visit(Overloaded{
                           [&](const FlagAccess& a) { return apply(p.def != 0, [&](bool v) { (this->*a.set)(v); }); },
                           [&](const NumberAccess& a) {
                               return apply(static_cast<int32_t>(p.def), [&](int32_t v) { (this->*a.set)(v); });
                           },
                           [&](const ColourAccess& a) {
                               return apply(static_cast<int32_t>(p.def),
                                            [&](int32_t v) { (this->*a.set)(static_cast<Colour>(v)); });
                           },
                           [&](const TextAccess& a) {
                               return apply(std::wstring(p.text), [&](const std::wstring& v) { (this->*a.set)(v); });
                           },
                           // The ambient font is asked for just before its read.
                           [&](const FontAccess& a) {
                               return apply(container_.AmbientFont(), [&](const ui::Font& v) { (this->*a.set)(v); });
                           },
                           // A picture missing from the store is no picture at all, not an empty one.
                           [&](const PictureAccess& a) {
                               return apply(ui::Picture(), [&](const ui::Picture& v) { (this->*a.set)(v); });
                           },
                       },
                       p.access);
        if (!ok) return PropertyError{std::string(p.name), error};
    }
    return std::nullopt;
}

std::optional<PropertyError> ButtonEx::WriteProperties(PropertyBag& bag) {
    for (size_t at = 1; at <= kPropertyWrites; ++at) {
        const PropertyInfo& p = *PropertyWrittenAt(at);
        bool saved = true;
        std::visit(Overloaded{
                       [&](const FlagAccess& a) { bag.Write(p.name, (this->*a.get)(), p.def != 0); },
                       [&](const NumberAccess& a) {
                           const int32_t v = (this->*a.get)();
                           if (p.def16)
                               bag.Write16(p.name, v, static_cast<int16_t>(p.def));
                           else
                               bag.Write(p.name, v, static_cast<int32_t>(p.def));
                       },
                       [&](const ColourAccess& a) {
                           // Colours are stored by their 32 bits, system colours with the high bit set.
                           bag.Write(p.name, static_cast<int32_t>((this->*a.get)()), static_cast<int32_t>(p.def));
                       },
                       [&](const TextAccess& a) { bag.Write(p.name, (this->*a.get)(), std::wstring(p.text)); },
                       [&](const FontAccess& a) { bag.Write(p.name, (this->*a.get)(), container_.AmbientFont()); },
                       [&](const PictureAccess& a) { saved = bag.Write(p.name, (this->*a.get)()); },
                   },
                   p.access);
        if (!saved) return PropertyError{std::string(p.name), "picture could not be saved"};
    }
    return std::nullopt;
}

void ButtonEx::AmbientChanged(std::wstring_view name) {
    if (name != L"DisplayAsDefault") return;
    if (!container_.AmbientDisplayAsDefault(*this)) m_bHasFocus = false;
    Repaint();
}

// ---------------------------------------------------------------- events

namespace {

std::optional<int16_t> toInteger(
    const std::variant<std::monostate, int16_t, int32_t, double, int16_t*, int32_t*, float*>& arg) {
    auto fromLong = [](int64_t v) -> std::optional<int16_t> {
        if (v < INT16_MIN || v > INT16_MAX) return std::nullopt;
        return static_cast<int16_t>(v);
    };
    auto fromReal = [&](double v) -> std::optional<int16_t> {
        if (!std::isfinite(v)) return std::nullopt;
        const double r = std::nearbyint(v);  // halves to even
        if (r < INT16_MIN || r > INT16_MAX) return std::nullopt;
        return static_cast<int16_t>(r);
    };
    switch (arg.index()) {
        case 0:
            return int16_t{0};
        case 1:
            return std::get<1>(arg);
        case 2:
            return fromLong(std::get<2>(arg));
        case 3:
            return fromReal(std::get<3>(arg));
        case 4:
            return std::get<4>(arg) ? std::optional<int16_t>(*std::get<4>(arg)) : std::nullopt;
        case 5:
            return std::get<5>(arg) ? fromLong(*std::get<5>(arg)) : std::nullopt;
        case 6:
            return std::get<6>(arg) ? fromReal(*std::get<6>(arg)) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<float> toSingle(
    const std::variant<std::monostate, int16_t, int32_t, double, int16_t*, int32_t*, float*>& arg) {
    double v = 0;
    switch (arg.index()) {
        case 0:
            v = 0;
            break;
        case 1:
            v = std::get<1>(arg);
            break;
        case 2:
            v = std::get<2>(arg);
            break;
        case 3:
            v = std::get<3>(arg);
            break;
        case 4:
            if (!std::get<4>(arg)) return std::nullopt;
            v = *std::get<4>(arg);
            break;
        case 5:
            if (!std::get<5>(arg)) return std::nullopt;
            v = *std::get<5>(arg);
            break;
        case 6:
            if (!std::get<6>(arg)) return std::nullopt;
            v = *std::get<6>(arg);
            break;
    }
    if (std::isfinite(v) && std::fabs(v) > FLT_MAX) return std::nullopt;
    return static_cast<float>(v);
}

}  // namespace

bool ButtonEx::RaiseEvents(std::string_view name, std::vector<EventArg>& args) {
    // Events reach the form only once the button is sited in its window.
    ButtonExEvents* sink = IsCreated() ? events_ : nullptr;
    auto arg = [&](size_t i) -> const EventArg& {
        static const EventArg empty;
        return i < args.size() ? args[i] : empty;
    };
    if (name == "Click") {
        if (sink) sink->Click(*this);
    } else if (name == "KeyDown" || name == "KeyUp") {
        auto code = toInteger(arg(0)), shift = toInteger(arg(1));
        if (!code || !shift) return false;
        int16_t KeyCode = *code, Shift = *shift;
        if (sink) name == "KeyDown" ? sink->KeyDown(*this, KeyCode, Shift) : sink->KeyUp(*this, KeyCode, Shift);
    } else if (name == "KeyPress") {
        auto ascii = toInteger(arg(0));
        if (!ascii) return false;
        int16_t KeyAscii = *ascii;
        if (sink) sink->KeyPress(*this, KeyAscii);
    } else if (name == "MouseDown" || name == "MouseMove" || name == "MouseUp") {
        auto button = toInteger(arg(0)), shift = toInteger(arg(1));
        auto x = toSingle(arg(2)), y = toSingle(arg(3));
        if (!button || !shift || !x || !y) return false;
        int16_t Button = *button, Shift = *shift;
        float X = *x, Y = *y;
        if (sink) {
            if (name == "MouseDown")
                sink->MouseDown(*this, Button, Shift, X, Y);
            else if (name == "MouseMove")
                sink->MouseMove(*this, Button, Shift, X, Y);
            else
                sink->MouseUp(*this, Button, Shift, X, Y);
        }
    } else if (name == "MouseExit") {
        const bool raise = m_LastHoverEvent != "MouseExit";
        m_LastHoverEvent = "MouseExit";
        if (raise && sink) sink->MouseExit(*this);
    } else if (name == "MouseEnter") {
        const bool raise = m_LastHoverEvent != "MouseEnter";
        m_LastHoverEvent = "MouseEnter";
        if (raise && sink) sink->MouseEnter(*this);
    } else if (name == "Resize") {
        if (sink) sink->Resize(*this);
    }
    return true;
}

// ---------------------------------------------------------------- notifications

void ButtonEx::Initialize() { SetSizeTwips(1200, 360); }

void ButtonEx::OnClick() {
    std::vector<EventArg> none;
    RaiseEvents("Click", none);
}

void ButtonEx::OnAccessKeyPress(int16_t) {
    std::vector<EventArg> none;
    RaiseEvents("Click", none);
}

void ButtonEx::OnKeyDown(int16_t& KeyCode, int16_t& Shift) {
    std::vector<EventArg> args{&KeyCode, &Shift};
    RaiseEvents("KeyDown", args);
}

void ButtonEx::OnKeyPress(int16_t& KeyAscii) {
    std::vector<EventArg> args{&KeyAscii};
    RaiseEvents("KeyPress", args);
}

void ButtonEx::OnKeyUp(int16_t& KeyCode, int16_t& Shift) {
    std::vector<EventArg> args{&KeyCode, &Shift};
    RaiseEvents("KeyUp", args);
}

void ButtonEx::OnGotFocus() {
    m_bHasFocus = true;
    Repaint();
}

void ButtonEx::OnLostFocus() {
    m_bHasFocus = false;
    Repaint();
}

void ButtonEx::OnResize() {
    Redraw(Up);
    if (painting_ > 0 && IsCreated()) {
        PostMessageA(hWnd(), kRaiseResize, 0, 0);
        return;
    }
    std::vector<EventArg> none;
    RaiseEvents("Resize", none);
}

void ButtonEx::OnOLECompleteDrag(int32_t& Effect) {
    if (events_ && IsCreated()) events_->OLECompleteDrag(*this, Effect);
}

void ButtonEx::OnOLEDragDrop(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& X, float& Y) {
    if (events_ && IsCreated())
        events_->OLEDragDrop(*this, Data, Effect, Button, Shift, X, Y);
    else
        Effect = DROPEFFECT_NONE;
}

void ButtonEx::OnOLEDragOver(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& X, float& Y,
                             int16_t& State) {
    const auto alive = Lifeline();
    if (events_ && IsCreated()) events_->OLEDragOver(*this, Data, Effect, Button, Shift, X, Y, State);
    if (!*alive) return;
    // The handler may have changed State: what it says now decides the look.
    if (State == 0)
        Redraw(Over);
    else if (State == 1)
        Redraw(Up);
}

void ButtonEx::OnOLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) {
    if (events_ && IsCreated()) events_->OLEGiveFeedback(*this, Effect, DefaultCursors);
}

void ButtonEx::OnOLESetData(IDataObject*& Data, int16_t& DataFormat) {
    if (events_ && IsCreated()) events_->OLESetData(*this, Data, DataFormat);
}

void ButtonEx::OnOLEStartDrag(IDataObject*& Data, int32_t& AllowedEffects) {
    if (events_ && IsCreated()) events_->OLEStartDrag(*this, Data, AllowedEffects);
}

}  // namespace buttonex
