#include "controls/buttonex/ButtonEx.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "controls/buttonex/PropertyBag.h"

namespace buttonex {

namespace {
constexpr Colour kButtonFace = 0x8000000F;
constexpr Colour kButtonText = 0x80000012;
constexpr Colour kBlue = 0x00FF0000;
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
    Destroy();  // the window goes before the surfaces it shows (and leaves its container)
}

float ButtonEx::TwipsPerPixelX() { return static_cast<float>(ui::TwipsPerPixel(ui::ScreenDpi().x)); }
float ButtonEx::TwipsPerPixelY() { return static_cast<float>(ui::TwipsPerPixel(ui::ScreenDpi().y)); }

int32_t ButtonEx::WidthTwips() const { return ui::PixelsToTwips(surface_.Width(), ui::ScreenDpi().x); }
int32_t ButtonEx::HeightTwips() const { return ui::PixelsToTwips(surface_.Height(), ui::ScreenDpi().y); }

void ButtonEx::SetSizeTwips(double width, double height) {
    const ui::Dpi dpi = ui::ScreenDpi();
    const int w = std::max(1, ui::TwipsToPixels(width, dpi.x));
    const int h = std::max(1, ui::TwipsToPixels(height, dpi.y));
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

void ButtonEx::SetAllowDefault(bool NewValue) {
    m_AllowDefault = NewValue;
    Repaint();
    PropertyChangedNotify("AllowDefault");
}

void ButtonEx::SetAllowFocus(bool NewValue) {
    m_AllowFocus = NewValue;
    Repaint();
    PropertyChangedNotify("AllowFocus");
}

void ButtonEx::SetAppearance(int32_t NewValue) {
    m_Appearance = NewValue;
    Repaint();
    PropertyChangedNotify("Appearance");
}

void ButtonEx::SetBackColor(Colour NewValue) {
    m_BackColor = NewValue;
    surface_.SetBackColor(NewValue);
    imgPicture.backColor = NewValue;
    imgPicture.stale = true;
    Repaint();
    PropertyChangedNotify("BackColor");
}

void ButtonEx::SetBorderStyle(int32_t NewValue) {
    m_BorderStyle = NewValue;
    Repaint();
    PropertyChangedNotify("BorderStyle");
}

void ButtonEx::SetCaption(const std::wstring& NewValue) {
    m_Caption = NewValue;
    // A caption without a single "&" leaves the previous access key in place.
    if (auto key = layout::FindAccessKey(m_Caption)) accessKey_ = *key;
    Repaint();
    PropertyChangedNotify("Caption");
}

void ButtonEx::SetCaptionOffsetX(int32_t NewValue) {
    m_CaptionOffsetX = NewValue;
    Repaint();
    PropertyChangedNotify("CaptionOffsetX");
}

void ButtonEx::SetCaptionOffsetY(int32_t NewValue) {
    m_CaptionOffsetY = NewValue;
    Repaint();
    PropertyChangedNotify("CaptionOffsetY");
}

void ButtonEx::SetEnabled(bool NewValue) {
    m_Enabled = NewValue;
    surfaceEnabled_ = NewValue;
    if (IsCreated()) EnableWindow(hWnd(), NewValue);
    imgPicture.enabled = NewValue;
    if (NewValue) m_State = Up;
    Repaint();
    PropertyChangedNotify("Enabled");
}

void ButtonEx::SetForeColor(Colour NewValue) {
    m_ForeColor = NewValue;
    surface_.SetForeColor(NewValue);
    imgPicture.foreColor = NewValue;
    Repaint();
    PropertyChangedNotify("ForeColor");
}

void ButtonEx::SetFont(const ui::Font& NewValue) {
    m_Font = NewValue;
    surface_.SetFont(m_Font.Handle());
    imgPicture.font = NewValue;
    Repaint();
    PropertyChangedNotify("Font");
}

void ButtonEx::SetHighlightColor(Colour NewValue) {
    m_HighlightColor = NewValue;
    Repaint();
    PropertyChangedNotify("HighlightColor");
}

void ButtonEx::SetHighlightPicture(bool NewValue) {
    m_HighlightPicture = NewValue;
    Redraw(Disabled);
    PropertyChangedNotify("HighlightPicture");
}

void ButtonEx::SetMouseIcon(const ui::Picture& NewValue) {
    m_MouseIcon = NewValue;
    surfaceMouseIcon_ = NewValue;
    imgPicture.mouseIcon = NewValue;
    PropertyChangedNotify("MouseIcon");
}

void ButtonEx::SetMousePointer(int32_t NewValue) {
    m_MousePointer = NewValue;
    surfaceMousePointer_ = NewValue;
    imgPicture.mousePointer = NewValue;
    PropertyChangedNotify("MousePointer");
}

void ButtonEx::SetOLEDropMode(int32_t NewValue) {
    m_OLEDropMode = NewValue;
    PropertyChangedNotify("OLEDropMode");
}

void ButtonEx::SetPicture(const ui::Picture& NewValue) {
    m_Picture = NewValue;
    SetHolderPicture(NewValue);
    Repaint();
    PropertyChangedNotify("Picture");
}

void ButtonEx::SetPictureDisabled(const ui::Picture& NewValue) {
    m_PictureDisabled = NewValue;
    PropertyChangedNotify("PictureDisabled");
}

void ButtonEx::SetPictureDown(const ui::Picture& NewValue) {
    m_PictureDown = NewValue;
    PropertyChangedNotify("PictureDown");
}

void ButtonEx::SetPictureFocus(const ui::Picture& New_PictureFocus) {
    m_PictureFocus = New_PictureFocus;
    PropertyChangedNotify("PictureFocus");
}

void ButtonEx::SetPictureOffsetX(int32_t NewValue) {
    m_PictureOffsetX = NewValue;
    Repaint();
    PropertyChangedNotify("PictureOffsetX");
}

void ButtonEx::SetPictureOffsetY(int32_t NewValue) {
    m_PictureOffsetY = NewValue;
    Repaint();
    PropertyChangedNotify("PictureOffsetY");
}

void ButtonEx::SetPictureOver(const ui::Picture& New_PictureOver) {
    m_PictureOver = New_PictureOver;
    PropertyChangedNotify("PictureOver");
}

void ButtonEx::SetRightToLeft(bool NewValue) {
    m_RightToLeft = NewValue;
    surfaceRightToLeft_ = NewValue;
    imgPicture.rightToLeft = NewValue;
    Repaint();
    PropertyChangedNotify("RightToLeft");
}

void ButtonEx::SetSkinDisabled(const ui::Picture& NewValue) {
    m_SkinDisabled = NewValue;
    Repaint();
    PropertyChangedNotify("SkinDisabled");
}

void ButtonEx::SetSkinDown(const ui::Picture& NewValue) {
    m_SkinDown = NewValue;
    Repaint();
    PropertyChangedNotify("SkinDown");
}

void ButtonEx::SetSkinFocus(const ui::Picture& NewValue) {
    m_SkinFocus = NewValue;
    Repaint();
    PropertyChangedNotify("SkinFocus");
}

void ButtonEx::SetSkinOver(const ui::Picture& NewValue) {
    m_SkinOver = NewValue;
    Repaint();
    PropertyChangedNotify("SkinOver");
}

void ButtonEx::SetSkinUp(const ui::Picture& NewValue) {
    m_SkinUp = NewValue;
    Repaint();
    PropertyChangedNotify("SkinUp");
}

void ButtonEx::SetStyle(int32_t NewValue) {
    m_Style = NewValue;
    Repaint();
    PropertyChangedNotify("Style");
}

void ButtonEx::SetToolTipText(const std::wstring& NewValue) {
    m_ToolTipText = NewValue;
    imgPicture.toolTipText = NewValue;
    PropertyChangedNotify("ToolTipText");
}

void ButtonEx::SetTransparentColor(Colour NewValue) {
    m_TransparentColor = NewValue;
    maskColour_ = NewValue;
    Repaint();
    PropertyChangedNotify("TransparentColor");
}

void ButtonEx::SetValue(int32_t NewValue) {
    m_Value = NewValue;
    Redraw(NewValue);
    PropertyChangedNotify("Value");
}

void ButtonEx::SetWhatsThisHelpID(int32_t NewValue) {
    m_WhatsThisHelpID = NewValue;
    imgPicture.helpContextId = NewValue;
    PropertyChangedNotify("WhatsThisHelpID");
}

std::string_view ButtonEx::Description(std::string_view property) noexcept {
    static constexpr std::pair<std::string_view, std::string_view> table[] = {
        {"Appearance", "Returns/sets whether or not the control is painted with 3-D effects."},
        {"BackColor", "Returns/sets the background color used to display text and graphics in the control."},
        {"Caption", "Returns/sets the text displayed in the control."},
        {"CaptionOffsetX", "Returns/sets the horizontal offset for displaying the caption."},
        {"CaptionOffsetY", "Returns/sets the vertical offset for displaying the caption."},
        {"Enabled", "Returns/sets a value that determines whether an object can respond to user-generated events."},
        {"ForeColor", "Returns/sets the foreground color used to display text and graphics in the control."},
        {"Font", "Returns/sets a Font object used to display text in the control."},
        {"HighlightColor",
         "Returns/sets the highlight color used to display text and graphics when the mouse is over the control."},
        {"HighlightPicture", "Returns/sets whether or not to highlight the object's picture with the HighlightColor."},
        {"MouseIcon", "Returns/sets a custom mouse icon."},
        {"MousePointer", "Returns/sets the type of mouse pointer displayed when over part of the control."},
        {"Picture", "Returns/sets a graphic to be displayed in the control."},
        {"PictureDisabled", "Returns/sets a graphic to be displayed in the control for the disabled state."},
        {"PictureOffsetX", "Returns/sets the horizontal offset for displaying the picture."},
        {"PictureOffsetY", "Returns/sets the vertical offset for displaying the picture."},
        {"RightToLeft",
         "Determines text display direction and control visual appearance on a bidirectional system."},
        {"SkinDisabled", "Returns/sets a graphic to be displayed for the control when it is disabled."},
        {"SkinDown", "Returns/sets a graphic to be displayed for the control the mouse has been pressed over it."},
        {"SkinFocus", "Returns/sets a graphic to be displayed for the control when it default."},
        {"SkinOver", "Returns/sets a graphic to be displayed for the control when the mouse is over it."},
        {"SkinUp", "Returns/sets a graphic to be displayed for the control."},
        {"Style", "Returns/sets the style for the control."},
        {"ToolTipText", "Returns/sets the text displayed when the mouse cursor is over the control."},
        {"TransparentColor", "Returns/sets the color of the Picture property to make transparent."},
        {"Value", "Returns/sets a default state for the control."},
        {"WhatsThisHelpID", "Returns/sets an associated help context ID for the control."},
    };
    for (const auto& [name, text] : table)
        if (name == property) return text;
    return {};
}

// ---------------------------------------------------------------- persistence

void ButtonEx::InitProperties() {
    SetAllowDefault(true);
    SetAllowFocus(true);
    SetAppearance(1);
    SetBackColor(kButtonFace);
    SetBorderStyle(1);
    SetCaption(L"ButtonEx1");
    SetCaptionOffsetX(0);
    SetCaptionOffsetY(0);
    SetEnabled(true);
    SetForeColor(kButtonText);
    SetFont(container_.AmbientFont());
    SetHighlightColor(kButtonText);
    SetHighlightPicture(false);
    SetMouseIcon(ui::Picture::Empty());
    SetMousePointer(0);
    SetOLEDropMode(0);
    SetPicture(ui::Picture::Empty());
    SetPictureDisabled(ui::Picture::Empty());
    SetPictureDown(ui::Picture::Empty());
    SetPictureFocus(ui::Picture::Empty());
    SetPictureOffsetX(0);
    SetPictureOffsetY(0);
    SetPictureOver(ui::Picture::Empty());
    SetRightToLeft(false);
    SetSkinDisabled(ui::Picture::Empty());
    SetSkinDown(ui::Picture::Empty());
    SetSkinFocus(ui::Picture::Empty());
    SetSkinOver(ui::Picture::Empty());
    SetSkinUp(ui::Picture::Empty());
    SetStyle(0);
    SetToolTipText(L"");
    SetTransparentColor(kBlue);
    SetValue(1);
    SetWhatsThisHelpID(0);
}

std::optional<PropertyError> ButtonEx::ReadProperties(const PropertyBag& bag) {
    m_Value = 1;
    std::string error;
    std::optional<PropertyError> failure;
    // Each read either applies the value through its setter or ends loading here.
    auto flag = [&](const char* name, bool def, void (ButtonEx::*set)(bool)) {
        bool v;
        if (failure) return;
        if (!bag.Read(name, def, v, error)) return void(failure = PropertyError{name, error});
        (this->*set)(v);
    };
    auto number = [&](const char* name, int32_t def, auto set) {
        int32_t v;
        if (failure) return;
        if (!bag.Read(name, def, v, error)) return void(failure = PropertyError{name, error});
        set(v);
    };
    auto colour = [&](const char* name, Colour def, void (ButtonEx::*set)(Colour)) {
        number(name, static_cast<int32_t>(def), [&](int32_t v) { (this->*set)(static_cast<Colour>(v)); });
    };
    auto integer = [&](const char* name, int32_t def, void (ButtonEx::*set)(int32_t)) {
        number(name, def, [&](int32_t v) { (this->*set)(v); });
    };
    auto text = [&](const char* name, const wchar_t* def, void (ButtonEx::*set)(const std::wstring&)) {
        std::wstring v;
        if (failure) return;
        if (!bag.Read(name, std::wstring(def), v, error)) return void(failure = PropertyError{name, error});
        (this->*set)(v);
    };
    auto picture = [&](const char* name, void (ButtonEx::*set)(const ui::Picture&)) {
        ui::Picture v;
        if (failure) return;
        if (!bag.Read(name, ui::Picture(), v, error)) return void(failure = PropertyError{name, error});
        (this->*set)(v);
    };

    flag("AllowDefault", true, &ButtonEx::SetAllowDefault);
    flag("AllowFocus", true, &ButtonEx::SetAllowFocus);
    integer("Appearance", 1, &ButtonEx::SetAppearance);
    colour("BackColor", kButtonFace, &ButtonEx::SetBackColor);
    integer("BorderStyle", 1, &ButtonEx::SetBorderStyle);
    text("Caption", L"ButtonEx1", &ButtonEx::SetCaption);
    integer("CaptionOffsetX", 0, &ButtonEx::SetCaptionOffsetX);
    integer("CaptionOffsetY", 0, &ButtonEx::SetCaptionOffsetY);
    flag("Enabled", true, &ButtonEx::SetEnabled);
    colour("ForeColor", kButtonText, &ButtonEx::SetForeColor);
    if (!failure) {
        ui::Font v;
        if (!bag.Read("Font", container_.AmbientFont(), v, error))
            failure = PropertyError{"Font", error};
        else
            SetFont(v);
    }
    colour("HighlightColor", kButtonText, &ButtonEx::SetHighlightColor);
    flag("HighlightPicture", false, &ButtonEx::SetHighlightPicture);
    picture("MouseIcon", &ButtonEx::SetMouseIcon);
    integer("MousePointer", 0, &ButtonEx::SetMousePointer);
    integer("OLEDropMode", 0, &ButtonEx::SetOLEDropMode);
    picture("Picture", &ButtonEx::SetPicture);
    picture("PictureDisabled", &ButtonEx::SetPictureDisabled);
    picture("PictureDown", &ButtonEx::SetPictureDown);
    picture("PictureFocus", &ButtonEx::SetPictureFocus);
    integer("PictureOffsetX", 0, &ButtonEx::SetPictureOffsetX);
    integer("PictureOffsetY", 0, &ButtonEx::SetPictureOffsetY);
    picture("PictureOver", &ButtonEx::SetPictureOver);
    flag("RightToLeft", false, &ButtonEx::SetRightToLeft);
    picture("SkinDisabled", &ButtonEx::SetSkinDisabled);
    picture("SkinDown", &ButtonEx::SetSkinDown);
    picture("SkinFocus", &ButtonEx::SetSkinFocus);
    picture("SkinOver", &ButtonEx::SetSkinOver);
    picture("SkinUp", &ButtonEx::SetSkinUp);
    integer("Style", 0, &ButtonEx::SetStyle);
    text("ToolTipText", L"", &ButtonEx::SetToolTipText);
    colour("TransparentColor", kBlue, &ButtonEx::SetTransparentColor);
    integer("Value", 1, &ButtonEx::SetValue);
    integer("WhatsThisHelpID", 0, &ButtonEx::SetWhatsThisHelpID);
    return failure;
}

std::optional<PropertyError> ButtonEx::WriteProperties(PropertyBag& bag) {
    auto colour = [](Colour c) { return static_cast<int32_t>(c); };
    std::optional<PropertyError> failure;
    auto picture = [&](const char* name, const ui::Picture& p) {
        if (!failure && !bag.Write(name, p)) failure = PropertyError{name, "picture could not be saved"};
    };
    auto write = [&](auto&& fn) {
        if (!failure) fn();
    };
    write([&] { bag.Write("AllowDefault", m_AllowDefault, true); });
    write([&] { bag.Write("AllowFocus", m_AllowFocus, true); });
    write([&] { bag.Write("Appearance", m_Appearance, 1); });
    write([&] { bag.Write("Enabled", m_Enabled, true); });
    write([&] { bag.Write("BackColor", colour(m_BackColor), colour(kButtonFace)); });
    write([&] { bag.Write("BorderStyle", m_BorderStyle, 1); });
    write([&] { bag.Write("Caption", m_Caption, L"ButtonEx1"); });
    write([&] { bag.Write16("CaptionOffsetX", m_CaptionOffsetX, 0); });
    write([&] { bag.Write16("CaptionOffsetY", m_CaptionOffsetY, 0); });
    write([&] { bag.Write("ForeColor", colour(m_ForeColor), colour(kButtonText)); });
    write([&] { bag.Write("Font", m_Font, container_.AmbientFont()); });
    write([&] { bag.Write("HighlightColor", colour(m_HighlightColor), colour(kButtonText)); });
    write([&] { bag.Write("HighlightPicture", m_HighlightPicture, false); });
    write([&] { bag.Write("OLEDropMode", m_OLEDropMode, 0); });
    picture("Picture", m_Picture);
    picture("PictureDisabled", m_PictureDisabled);
    picture("PictureDown", m_PictureDown);
    picture("PictureFocus", m_PictureFocus);
    write([&] { bag.Write16("PictureOffsetX", m_PictureOffsetX, 0); });
    write([&] { bag.Write16("PictureOffsetY", m_PictureOffsetY, 0); });
    picture("PictureOver", m_PictureOver);
    write([&] { bag.Write("RightToLeft", m_RightToLeft, false); });
    write([&] { bag.Write("TransparentColor", colour(m_TransparentColor), colour(kBlue)); });
    picture("MouseIcon", m_MouseIcon);
    write([&] { bag.Write("MousePointer", m_MousePointer, 0); });
    picture("SkinDisabled", m_SkinDisabled);
    picture("SkinDown", m_SkinDown);
    picture("SkinFocus", m_SkinFocus);
    picture("SkinOver", m_SkinOver);
    picture("SkinUp", m_SkinUp);
    write([&] { bag.Write16("Style", m_Style, 0); });
    write([&] { bag.Write("ToolTipText", m_ToolTipText, L""); });
    write([&] { bag.Write("TransparentColor", colour(m_TransparentColor), colour(kBlue)); });
    write([&] { bag.Write("Value", m_Value, 1); });
    write([&] { bag.Write16("WhatsThisHelpID", m_WhatsThisHelpID, 0); });
    return failure;
}

void ButtonEx::AmbientChanged(std::wstring_view name) {
    if (name != L"DisplayAsDefault") return;
    if (!container_.AmbientDisplayAsDefault(*this)) m_bHasFocus = false;
    Repaint();
}

// ---------------------------------------------------------------- events

namespace {

std::optional<int16_t> toInteger(const std::variant<std::monostate, int16_t, int32_t, double, int16_t*, int32_t*,
                                                    float*>& arg) {
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
        case 0: return int16_t{0};
        case 1: return std::get<1>(arg);
        case 2: return fromLong(std::get<2>(arg));
        case 3: return fromReal(std::get<3>(arg));
        case 4: return std::get<4>(arg) ? std::optional<int16_t>(*std::get<4>(arg)) : std::nullopt;
        case 5: return std::get<5>(arg) ? fromLong(*std::get<5>(arg)) : std::nullopt;
        case 6: return std::get<6>(arg) ? fromReal(*std::get<6>(arg)) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<float> toSingle(const std::variant<std::monostate, int16_t, int32_t, double, int16_t*, int32_t*,
                                                 float*>& arg) {
    double v = 0;
    switch (arg.index()) {
        case 0: v = 0; break;
        case 1: v = std::get<1>(arg); break;
        case 2: v = std::get<2>(arg); break;
        case 3: v = std::get<3>(arg); break;
        case 4: if (!std::get<4>(arg)) return std::nullopt; v = *std::get<4>(arg); break;
        case 5: if (!std::get<5>(arg)) return std::nullopt; v = *std::get<5>(arg); break;
        case 6: if (!std::get<6>(arg)) return std::nullopt; v = *std::get<6>(arg); break;
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
    std::vector<EventArg> none;
    RaiseEvents("Resize", none);
}

void ButtonEx::OnOLECompleteDrag(int32_t& Effect) {
    if (events_ && IsCreated()) events_->OLECompleteDrag(*this, Effect);
}

void ButtonEx::OnOLEDragDrop(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& X,
                             float& Y) {
    if (events_ && IsCreated()) events_->OLEDragDrop(*this, Data, Effect, Button, Shift, X, Y);
}

void ButtonEx::OnOLEDragOver(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& X,
                             float& Y, int16_t& State) {
    if (events_ && IsCreated()) events_->OLEDragOver(*this, Data, Effect, Button, Shift, X, Y, State);
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
