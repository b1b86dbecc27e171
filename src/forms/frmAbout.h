// The About box: the program's title, version and description, a notice, a
// link whose caption is drawn at random, and the SysInfo and Exit buttons.
// One instance, modeless, created on demand.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "controls/buttonex/ButtonEx.h"
#include "controls/buttonex/ButtonExHost.h"
#include "forms/Label.h"
#include "ui/Form.h"
#include "ui/Picture.h"
#include "base/Handles.h"
#include "base/OleApartment.h"

namespace forms {

inline constexpr char kAboutClass[] = "TollvaneAbout";
inline constexpr wchar_t kAppTitle[] = L"Tollvane";
inline constexpr wchar_t kHomePage[] = L"http://www.brackwyn.example/home.html?tv";

inline constexpr COLORREF kAboutBackColor = 0x00CCAAAA;
inline constexpr COLORREF kAboutTextColor = 0x00331111;
inline constexpr COLORREF kLinkColor = 0x00FF0000;       // blue
inline constexpr COLORREF kLinkHoverColor = 0x000000FF;  // red

// Child window identifiers, so that the box's parts can be found from outside.
enum AboutControl : int {
    kIdDisclaimer = 100,
    kIdVersion,
    kIdDescription,
    kIdCaption,
    kIdWebLink,
};

// A button of the About box. It exists only while the box is loaded: its
// skins, font and drawing surfaces go when the box closes, and each opening
// starts afresh (no hover look carried over from the last one).
class AboutButton {
public:
    HWND hWnd() const noexcept { return button_ ? button_->hWnd() : nullptr; }
    buttonex::ButtonEx* get() const noexcept { return button_.get(); }
    buttonex::ButtonEx* operator->() const noexcept { return button_.get(); }

private:
    friend class FrmAbout;
    std::unique_ptr<buttonex::ButtonEx> button_;
};

class FrmAbout final : public ui::Form, private buttonex::ButtonExEvents {
public:
    FrmAbout() = default;

    // The form's icon: the program's, handed over by whoever shows the box.
    ui::Picture Icon;

    Label lblCaption;
    Label lblVersion;
    Label lblDescription;
    Label lblDisclaimer;
    Label lblWebLink;

private:
    // OLE, not only COM: the buttons' drag and drop needs it on this thread. Begun
    // with the first About box rather than at start, so that the tray icon does not
    // wait for it, and kept while the form lives (as long as the program).
    std::optional<base::OleApartment> ole_;
    buttonex::ButtonExHost host_;  // before the buttons, which refer to it

public:
    // Unloading the box destroys them, even from inside the Click of one of
    // them: a button stops touching itself once a handler destroyed it.
    AboutButton bSysInfo;
    AboutButton bExit;

    void bSysInfo_Click();
    void bExit_Click();

protected:
    bool CreateFormWindow() override;
    void OnLoad() override;
    void OnUnload() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void DestroyControls() noexcept;
    void Paint(HDC dc);
    void SetLinkColor(COLORREF color);
    void LoadButtons();
    void Click(buttonex::ButtonEx& button) override;
    // The box's keyboard as a dialog's (frmAboutKeys.cpp): a key pressed on the
    // link or on a button; true when the box took it.
    void AttachKeys();
    bool DialogKey(HWND from, UINT key);

    // The design's colours, or the system's while high contrast is on; again
    // whenever the system's colours or that setting change.
    void ApplyColours();
    COLORREF TextColour() const;
    COLORREF LinkColour(bool hover) const;

    int dpi_ = 96;
    bool highContrast_ = false;
    base::UniqueBrush background_;
};

// The one About box; its window exists only while it is loaded.
FrmAbout& frmAbout();

// Shows the About box modeless with no owner, with the program's icon, loading
// it if it is not open; showing it again brings up the same box.
void ShowAboutBox(const ui::Picture& icon);

// Reads a text value: true when the key opens and the value reads; KeyVal then
// holds its text if it is of type REG_SZ, or of type REG_EXPAND_SZ with its
// %variables% replaced (another type leaves KeyVal as it was).
// On failure KeyVal is empty.
bool GetKeyValue(HKEY KeyRoot, const std::wstring& KeyName, const std::wstring& SubKeyRef, std::wstring& KeyVal);

// Starts the System Information program found through the registry, or tells
// the user it cannot (a message box owned by owner).
void StartSysInfo(HWND owner);

}  // namespace forms
