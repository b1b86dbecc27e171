// ButtonEx: a skinnable push button that a form hosts as a child window.
//
// Its face is either a per-state skin bitmap (SkinUp, SkinOver, SkinDown,
// SkinFocus, SkinDisabled; shown when Appearance is 2 and SkinUp is set) or a
// drawn three-dimensional face, with a caption and an optional picture on top.
// It follows the mouse (hover and pressed looks, MouseEnter/MouseExit), keeps a
// latched Value for the toggle style (Style 1), passes key presses on as events,
// raises Click for clicks and access keys, and saves and restores all of its
// settings through a property store of its container.
//
// Using it:
//   ButtonExHost host;                        // the container (ButtonExHost.h)
//   ButtonEx button(host, &listener);         // listener: a ButtonExEvents
//   host.Attach(formHwnd);
//   button.Create(formHwnd, xPixels, yPixels, /*tabIndex*/ 0);
//   button.InitProperties();                  // a new button: the defaults
//   // or: host.Load(button, storeBytes, ...) for a stored one
//   button.SetCaption(L"&Exit");
//
// Every setter stores the value, passes it on to the window (colours, font,
// enabled flag, mask colour, ...), repaints where the property is visible, and
// last tells the container the property's name ("Caption", "SkinUp", ...).
// Colours are OLE colours: 0x00BBGGRR, or a system colour (0x80000000 | index).
// Pictures and fonts are shared objects; the control keeps its own reference.
// Everything runs on the thread that created the window.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "controls/buttonex/ButtonExLayout.h"
#include "controls/buttonex/PixelSurface.h"
#include "ui/Accessible.h"
#include "ui/Font.h"
#include "ui/Picture.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace buttonex {

class ButtonEx;
class PropertyBag;

using Colour = uint32_t;

// What the hosting form hears from a button. Arguments are references: for the
// mouse, key and Click events they refer to copies (changes are discarded); for
// the drag-and-drop events to the platform's own values (an Effect set by the
// handler is what the platform sees).
class ButtonExEvents {
public:
    virtual ~ButtonExEvents() = default;
    virtual void Click(ButtonEx&) {}
    virtual void KeyDown(ButtonEx&, int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
    virtual void KeyPress(ButtonEx&, int16_t& /*KeyAscii*/) {}
    virtual void KeyUp(ButtonEx&, int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
    // Button: 1 left, 2 right, 4 middle (combined); Shift: 1 Shift, 2 Ctrl, 4 Alt;
    // X, Y in twips from the button's top-left corner.
    virtual void MouseDown(ButtonEx&, int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
    virtual void MouseEnter(ButtonEx&) {}
    virtual void MouseExit(ButtonEx&) {}
    virtual void MouseMove(ButtonEx&, int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
    virtual void MouseUp(ButtonEx&, int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
    virtual void OLECompleteDrag(ButtonEx&, int32_t& /*Effect*/) {}
    // A form that does not handle the drop takes nothing, so that a source never
    // deletes what it offered to move.
    virtual void OLEDragDrop(ButtonEx&, IDataObject*& /*Data*/, int32_t& Effect, int16_t& /*Button*/,
                             int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {
        Effect = 0;
    }
    // State: 0 the drag entered, 1 it left, 2 it moves over the button.
    virtual void OLEDragOver(ButtonEx&, IDataObject*& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/,
                             int16_t& /*Shift*/, float& /*X*/, float& /*Y*/, int16_t& /*State*/) {}
    virtual void OLEGiveFeedback(ButtonEx&, int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
    virtual void OLESetData(ButtonEx&, IDataObject*& /*Data*/, int16_t& /*DataFormat*/) {}
    virtual void OLEStartDrag(ButtonEx&, IDataObject*& /*Data*/, int32_t& /*AllowedEffects*/) {}
    virtual void Resize(ButtonEx&) {}
};

// What a button needs from the form that hosts it. ButtonExHost is a ready one.
class ButtonExContainer {
public:
    virtual ~ButtonExContainer() = default;
    virtual ui::Font AmbientFont() = 0;
    // True in the finished program, False in a designer (no hover tracking, no focus look).
    virtual bool AmbientUserMode() = 0;
    virtual bool AmbientDisplayAsDefault(const ButtonEx& control) = 0;
    virtual void PropertyChanged(ButtonEx& control, std::string_view property) = 0;
    // Called by a button's window: Alt plus a letter, Tab; true when handled.
    virtual bool RouteAccessKey(wchar_t /*key*/) { return false; }
    virtual bool RouteTab(ButtonEx& /*from*/, bool /*backwards*/) { return false; }
    // Enter (VK_RETURN) or Esc (VK_ESCAPE) typed on a button, for a container
    // that gives them a dialog's meaning; true when it took the key, which then
    // raises no KeyPress.
    virtual bool RouteDialogKey(ButtonEx& /*from*/, UINT /*key*/) { return false; }
    // Holds the pointer for the button while a mouse button is down.
    virtual void CapturePointer(ButtonEx& control, bool capture) = 0;
    // A button's window was created / is going away.
    virtual void Sited(ButtonEx& /*control*/) {}
    virtual void Unsited(ButtonEx& /*control*/) {}
};

// The failure of a property read: the property where loading stopped and why.
struct PropertyError {
    std::string property;
    std::string reason;
};

class ButtonEx : public ui::Window {
public:
    explicit ButtonEx(ButtonExContainer& container, ButtonExEvents* events = nullptr);
    ~ButtonEx() override;

    // Creates the window (pixels, in the parent's client area) at the button's
    // current size; the button is visible and takes part in tab order by tabIndex.
    bool Create(HWND parent, int x, int y, int tabIndex = 0);
    int TabIndex() const noexcept { return tabIndex_; }
    void SetEvents(ButtonExEvents* events) noexcept { events_ = events; }

    // ---- Persistence, driven by the container
    // A newly placed button: every property to its default (pictures empty).
    void InitProperties();
    // A stored button: every property from the store, missing ones at their
    // defaults. A damaged store or a value of the wrong type stops loading at
    // that property; the ones before it stay applied.
    std::optional<PropertyError> ReadProperties(const PropertyBag& bag);
    // Records every property that differs from its default. Fails only when a
    // picture cannot be saved, or is one that loading would refuse (the
    // properties before it are recorded).
    std::optional<PropertyError> WriteProperties(PropertyBag& bag);
    // The container's ambient property of that name changed ("DisplayAsDefault").
    void AmbientChanged(std::wstring_view name);

    // ---- Properties
    bool AllowDefault() const noexcept { return m_AllowDefault; }
    void SetAllowDefault(bool NewValue);
    bool AllowFocus() const noexcept { return m_AllowFocus; }
    void SetAllowFocus(bool NewValue);
    int32_t Appearance() const noexcept { return m_Appearance; }
    void SetAppearance(int32_t NewValue);
    Colour BackColor() const noexcept { return m_BackColor; }
    void SetBackColor(Colour NewValue);
    int32_t BorderStyle() const noexcept { return m_BorderStyle; }
    void SetBorderStyle(int32_t NewValue);
    const std::wstring& Caption() const noexcept { return m_Caption; }
    void SetCaption(const std::wstring& NewValue);
    int32_t CaptionOffsetX() const noexcept { return m_CaptionOffsetX; }
    void SetCaptionOffsetX(int32_t NewValue);
    int32_t CaptionOffsetY() const noexcept { return m_CaptionOffsetY; }
    void SetCaptionOffsetY(int32_t NewValue);
    bool Enabled() const noexcept { return m_Enabled; }
    void SetEnabled(bool NewValue);
    Colour ForeColor() const noexcept { return m_ForeColor; }
    void SetForeColor(Colour NewValue);
    ui::Font Font() const { return m_Font; }
    void SetFont(const ui::Font& NewValue);
    Colour HighlightColor() const noexcept { return m_HighlightColor; }
    void SetHighlightColor(Colour NewValue);
    bool HighlightPicture() const noexcept { return m_HighlightPicture; }
    void SetHighlightPicture(bool NewValue);
    ui::Picture MouseIcon() const { return m_MouseIcon; }
    void SetMouseIcon(const ui::Picture& NewValue);
    int32_t MousePointer() const noexcept { return m_MousePointer; }
    void SetMousePointer(int32_t NewValue);
    int32_t OLEDropMode() const noexcept { return m_OLEDropMode; }
    void SetOLEDropMode(int32_t NewValue);
    ui::Picture Picture() const { return m_Picture; }
    void SetPicture(const ui::Picture& NewValue);
    ui::Picture PictureDisabled() const { return m_PictureDisabled; }
    void SetPictureDisabled(const ui::Picture& NewValue);
    ui::Picture PictureDown() const { return m_PictureDown; }
    void SetPictureDown(const ui::Picture& NewValue);
    ui::Picture PictureFocus() const { return m_PictureFocus; }
    void SetPictureFocus(const ui::Picture& New_PictureFocus);
    int32_t PictureOffsetX() const noexcept { return m_PictureOffsetX; }
    void SetPictureOffsetX(int32_t NewValue);
    int32_t PictureOffsetY() const noexcept { return m_PictureOffsetY; }
    void SetPictureOffsetY(int32_t NewValue);
    ui::Picture PictureOver() const { return m_PictureOver; }
    void SetPictureOver(const ui::Picture& New_PictureOver);
    bool RightToLeft() const noexcept { return m_RightToLeft; }
    void SetRightToLeft(bool NewValue);
    ui::Picture SkinDisabled() const { return m_SkinDisabled; }
    void SetSkinDisabled(const ui::Picture& NewValue);
    ui::Picture SkinDown() const { return m_SkinDown; }
    void SetSkinDown(const ui::Picture& NewValue);
    ui::Picture SkinFocus() const { return m_SkinFocus; }
    void SetSkinFocus(const ui::Picture& NewValue);
    ui::Picture SkinOver() const { return m_SkinOver; }
    void SetSkinOver(const ui::Picture& NewValue);
    ui::Picture SkinUp() const { return m_SkinUp; }
    void SetSkinUp(const ui::Picture& NewValue);
    int32_t Style() const noexcept { return m_Style; }
    void SetStyle(int32_t NewValue);
    const std::wstring& ToolTipText() const noexcept { return m_ToolTipText; }
    void SetToolTipText(const std::wstring& NewValue);
    Colour TransparentColor() const noexcept { return m_TransparentColor; }
    void SetTransparentColor(Colour NewValue);
    int32_t Value() const noexcept { return m_Value; }
    void SetValue(int32_t NewValue);
    int32_t WhatsThisHelpID() const noexcept { return m_WhatsThisHelpID; }
    void SetWhatsThisHelpID(int32_t NewValue);

    // Help text of a property ("Caption", ...); empty for those that have none.
    static std::string_view Description(std::string_view property) noexcept;

    // ---- Read-only handles
    HDC hdc() const noexcept { return surface_.Dc(); }  // the persistent drawing surface
    HWND hWnd() const noexcept { return ui::Window::hWnd(); }

    // ---- Methods
    void Refresh();         // shows the surface on screen at once
    void OLEDrag();         // starts a drag with this button as its source
    void ClearHighlight();  // repaints without the highlight rectangle
    void DrawHighlight();   // dotted rectangle along the outermost pixels (again: removes it)

    // ---- Surface facts, for the container and for tests
    // The access key the caption gave (empty: none).
    const std::wstring& AccessKey() const noexcept { return accessKey_; }
    int32_t WidthTwips() const;
    int32_t HeightTwips() const;
    void SetSizeTwips(double width, double height);
    // Skins drawn at dpi/96 of their own size, for a form laid out at that many
    // dots per inch: the face is stretched smoothly and the window's shape follows
    // it. 96, the default, draws every skin pixel for pixel.
    void SetSkinDpi(int dpi);
    int SkinDpi() const noexcept { return skinDpi_; }
    const PixelSurface& Surface() const noexcept { return surface_; }
    // Whether the window is cut to the skin's shape (and the skin it is cut to).
    bool ShapeMode() const noexcept { return shapeMode_; }
    static float TwipsPerPixelX();
    static float TwipsPerPixelY();

    // ---- Notifications from the container (and the window's own messages)
    void Initialize();
    void OnClick();
    void OnAccessKeyPress(int16_t KeyAscii);
    void OnKeyDown(int16_t& KeyCode, int16_t& Shift);
    void OnKeyPress(int16_t& KeyAscii);
    void OnKeyUp(int16_t& KeyCode, int16_t& Shift);
    void OnGotFocus();
    void OnLostFocus();
    void OnResize();
    void OnMouseDown(int16_t Button, int16_t Shift, float X, float Y);
    void OnMouseMove(int16_t Button, int16_t Shift, float X, float Y);
    void OnMouseUp(int16_t Button, int16_t Shift, float X, float Y);
    void OnOLECompleteDrag(int32_t& Effect);
    void OnOLEDragDrop(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& X, float& Y);
    void OnOLEDragOver(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& X, float& Y,
                       int16_t& State);
    void OnOLEGiveFeedback(int32_t& Effect, bool& DefaultCursors);
    void OnOLESetData(IDataObject*& Data, int16_t& DataFormat);
    void OnOLEStartDrag(IDataObject*& Data, int32_t& AllowedEffects);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend struct ButtonExTestAccess;

    // An element of the argument array of RaiseEvents: a value or a reference
    // to the caller's variable.
    using EventArg = std::variant<std::monostate, int16_t, int32_t, double, int16_t*, int32_t*, float*>;
    // Raises the event of that exact (case-sensitive) name. False when an
    // argument does not fit its type (nothing is raised then).
    bool RaiseEvents(std::string_view name, std::vector<EventArg>& args);

    // A handler may destroy the button it was raised by (a form unloading on
    // MouseUp, say). Code that goes on after raising an event keeps a copy of
    // this flag first and stops, touching nothing of the button, once it is false.
    // A size change while painting, whose callers always go on, raises Resize later
    // from the message loop instead (kRaiseResize).
    std::shared_ptr<const bool> Lifeline() const { return alive_; }
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int painting_ = 0;
    static constexpr UINT kRaiseResize = WM_USER + 1;

    void PropertyChangedNotify(std::string_view name);
    struct NothingToPassOn {
        void operator()() const noexcept {}
    };
    template <class T, class PassOn = NothingToPassOn>
    void Assign(T& member, const T& NewValue, std::string_view name, bool repaint = true, PassOn passOn = {});
    void Repaint() { Redraw(m_State); }

    // Painting
    void Redraw(int32_t state);
    void DrawStandardFace(int32_t state, bool focus);
    void DrawSkinFace(int32_t state, bool focus);
    void DrawPicture(int32_t state);
    void DrawCaption(int32_t state);
    // The focus cue of a skin with no focus picture (ButtonExFocusCue.cpp).
    void DrawFocusCue(bool focus);
    bool KeyboardCuesShown() const;
    void MaskedCopy(HDC destination, const PixelSurface& source, int dx, int dy, int sx, int sy, int w, int h,
                    int32_t key);
    // Highlight
    void DrawSilhouette(const PixelSurface& source, PixelSurface& destination, PixelSurface& maskScratch,
                        PixelSurface& colourScratch, Colour colour, int dx, int dy, int sx, int sy, int w, int h,
                        bool repaint);
    bool MakeMask(const PixelSurface& source, PixelSurface& destination, int32_t key, int dx, int dy, int sx, int sy,
                  int w, int h, bool repaint);
    bool CopySurface(const PixelSurface& source, PixelSurface& destination, DWORD rop, int dx, int dy, int sx, int sy,
                     int w, int h, bool repaint);
    bool MaskedCopyChecked(const PixelSurface& source, PixelSurface& destination, int32_t key, int dx, int dy, int sx,
                           int sy, int w, int h, bool repaint);
    void RepaintSurface(const PixelSurface& surface);

    // Surface facilities
    void SetShapeMode(bool on);
    void SetShapePicture(const ui::Picture& picture);
    void ApplyShape();
    void ShowSurface();
    bool ReadUserMode();
    void SetHolderPicture(const ui::Picture& picture);
    void HoverPoll();
    void SetCursorShape();

    // Keyboard and mouse from the window
    static int16_t ShiftState();
    void MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    ButtonExContainer& container_;
    ButtonExEvents* events_;
    int tabIndex_ = 0;

    // The surface and its facilities.
    PixelSurface surface_;
    bool shapeMode_ = false;
    int skinDpi_ = 96;
    ui::Picture shapePicture_;
    Colour maskColour_ = 0;
    Colour appliedMask_ = 0;
    bool appliedShape_ = false;
    ui::Picture appliedShapePicture_;
    std::wstring accessKey_;
    bool surfaceEnabled_ = true;
    bool surfaceRightToLeft_ = false;
    int32_t surfaceMousePointer_ = 0;
    ui::Picture surfaceMouseIcon_;
    HCURSOR customCursor_ = nullptr;
    bool leftHeld_ = false;
    int16_t heldButtons_ = 0;

    // The hidden constituent controls.
    struct Holder {
        PixelSurface pixels{81, 33};  // 1215 x 495 twips until it holds an image
        int left = 16, top = 48;      // 240, 720 twips
        ui::Picture picture;
        Colour backColor = 0x8000000F, foreColor = 0x80000012;
        bool enabled = true, rightToLeft = false;
        ui::Font font;
        ui::Picture mouseIcon;
        int32_t mousePointer = 0, helpContextId = 0;
        std::wstring toolTipText;
        bool stale = true;  // pixels no longer show picture on backColor
    } imgPicture;
    PixelSurface pictTempDestination{81, 33};
    PixelSurface pictTempHighlight{81, 33};
    ui::Timer Timer1;

    // State
    std::string m_LastHoverEvent;
    int32_t m_State = 0;
    bool m_bHasFocus = false;
    // Properties
    bool m_AllowDefault = false;
    bool m_AllowFocus = false;
    int32_t m_Appearance = 0;
    Colour m_BackColor = 0;
    int32_t m_BorderStyle = 0;
    std::wstring m_Caption;
    int32_t m_CaptionOffsetX = 0, m_CaptionOffsetY = 0;
    bool m_Enabled = false;
    Colour m_ForeColor = 0;
    ui::Font m_Font;
    Colour m_HighlightColor = 0;
    bool m_HighlightPicture = false;
    ui::Picture m_MouseIcon;
    int32_t m_MousePointer = 0;
    int32_t m_OLEDropMode = 0;
    ui::Picture m_Picture, m_PictureDisabled, m_PictureDown, m_PictureFocus, m_PictureOver;
    int32_t m_PictureOffsetX = 0, m_PictureOffsetY = 0;
    bool m_RightToLeft = false;
    ui::Picture m_SkinDisabled, m_SkinDown, m_SkinFocus, m_SkinOver, m_SkinUp;
    int32_t m_Style = 0;
    std::wstring m_ToolTipText;
    Colour m_TransparentColor = 0;
    int32_t m_Value = 0;
    int32_t m_WhatsThisHelpID = 0;

    // Screen readers (ButtonExAccessible.cpp)
    ui::AccessibleFacts DescribeForReaders() const;
    void PressForReader();
    ui::Accessible accessible_{OBJID_CLIENT, [this] { return DescribeForReaders(); }, [this] { PressForReader(); }};

    // Drag and drop
    void RegisterDropTarget();
    void RevokeDropTarget();
    struct DropTarget;
    DropTarget* dropTarget_ = nullptr;
    IDropTarget* dropTargetInterface() const noexcept;  // as the platform calls it
    bool dropRegistered_ = false;
};

}  // namespace buttonex
