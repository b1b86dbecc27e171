// A ready container for ButtonEx buttons on a form of ours: ambient font and
// user mode, the "DisplayAsDefault" ambient, property-change notification, tab
// order and access keys (Alt plus the letter) among its buttons, pointer
// capture, and loading and saving stored buttons together with their extent.
//
//   class FrmAbout : public ui::Form, private buttonex::ButtonExEvents {
//       buttonex::ButtonExHost host_;                 // declared before the buttons
//       std::unique_ptr<buttonex::ButtonEx> bSysInfo, bExit;
//       void LoadButtons() {                          // once the form's window exists
//           host_.Attach(hWnd());
//           bSysInfo = std::make_unique<buttonex::ButtonEx>(host_, this);
//           bExit = std::make_unique<buttonex::ButtonEx>(host_, this);
//           host_.Load(*bSysInfo, sysInfoStoreBytes, 5280, 2400, 5);   // twips; tab index
//           host_.Load(*bExit, exitStoreBytes, 5280, 3000, 6);
//       }
//       void Click(buttonex::ButtonEx& b) override { if (&b == bExit.get()) Unload(); else StartSysInfo(); }
//       LRESULT OnMessage(UINT m, WPARAM w, LPARAM l) override {
//           LRESULT r = 0;
//           if (host_.HandleFormMessage(m, w, l, r)) return r;   // Alt+letter on the form itself
//           return Form::OnMessage(m, w, l);
//       }
//   };
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/buttonex/ButtonEx.h"
#include "controls/buttonex/PropertyBag.h"

namespace buttonex {

class ButtonExHost : public ButtonExContainer {
public:
    // The ambient font is "MS Sans Serif" 8.25 pt until another is set.
    ButtonExHost();
    ~ButtonExHost() override;
    ButtonExHost(const ButtonExHost&) = delete;
    ButtonExHost& operator=(const ButtonExHost&) = delete;

    // The form whose client area holds the buttons.
    void Attach(HWND form) noexcept { form_ = form; }
    HWND Form() const noexcept { return form_; }

    void SetAmbientFont(const ui::Font& font) { ambientFont_ = font; }
    // False makes the buttons behave as in a designer (no hover tracking, no focus look).
    void SetUserMode(bool userMode) noexcept { userMode_ = userMode; }
    // Shows the button as the form's default button, or stops doing so.
    void SetDisplayAsDefault(ButtonEx& control, bool value);
    // Tab (VK_TAB), Enter (VK_RETURN) and Esc (VK_ESCAPE) pressed on a hosted
    // button, for a form that gives them a dialog's meaning (default and cancel
    // buttons, other controls in its tab order): true when the form took the key.
    // Unset, or false: Tab moves among the buttons, Enter and Esc are plain keys.
    std::function<bool(ButtonEx&, UINT)> onDialogKey;
    // Called after each property change of any hosted button.
    std::function<void(ButtonEx&, std::string_view)> onPropertyChanged;

    // A stored button: creates its window at (left, top) twips with the stored
    // extent, then reads its properties. On a damaged store the button still
    // exists, with the properties before the damage applied.
    std::optional<PropertyError> Load(ButtonEx& control, std::span<const uint8_t> store, int leftTwips, int topTwips,
                                      int tabIndex);
    // A new button: created at (left, top) twips with its initial size, defaults applied.
    void Place(ButtonEx& control, int leftTwips, int topTwips, int tabIndex);
    // The button's stored form: its extent, then its properties. A picture that
    // cannot be saved stops the properties there (bytes: a store of those
    // before it, with the error). A store too large for loading, or with a record
    // loading would refuse, is not made at all (no bytes, and the error).
    struct Saved {
        std::vector<uint8_t> bytes;
        std::optional<PropertyError> error;
    };
    [[nodiscard]] Saved Save(ButtonEx& control);

    // Alt plus a letter pressed on the form itself (WM_SYSCHAR); true when a
    // button took it (r is then the message's result).
    bool HandleFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& r);
    // Moves the focus to the next (or previous) hosted button in tab order.
    void FocusNext(ButtonEx* from, bool backwards);
    const std::vector<ButtonEx*>& Controls() const noexcept { return controls_; }

    // ButtonExContainer
    ui::Font AmbientFont() override { return ambientFont_; }
    bool AmbientUserMode() override { return userMode_; }
    bool AmbientDisplayAsDefault(const ButtonEx& control) override;
    void PropertyChanged(ButtonEx& control, std::string_view property) override;
    bool RouteAccessKey(wchar_t key) override;
    bool RouteTab(ButtonEx& from, bool backwards) override;
    bool RouteDialogKey(ButtonEx& from, UINT key) override;
    void CapturePointer(ButtonEx& control, bool capture) override;
    void Sited(ButtonEx& control) override;
    void Unsited(ButtonEx& control) override;

private:
    HWND form_ = nullptr;
    ui::Font ambientFont_;
    bool userMode_ = true;
    ButtonEx* displayAsDefault_ = nullptr;
    std::vector<ButtonEx*> controls_;
};

}  // namespace buttonex
