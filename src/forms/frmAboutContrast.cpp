// The About box's colours: its own lavender design, or while high contrast is on
// the system's colours, which the person chose to be able to read the screen.
#include "forms/frmAbout.h"
#include "ui/HighContrast.h"

namespace forms {

COLORREF FrmAbout::TextColour() const { return highContrast_ ? GetSysColor(COLOR_WINDOWTEXT) : kAboutTextColor; }

COLORREF FrmAbout::LinkColour(bool hover) const {
    // One colour in high contrast: the underline tells the link, and a second
    // colour of our choosing could be unreadable on the person's background.
    if (highContrast_) return GetSysColor(COLOR_HOTLIGHT);
    return hover ? kLinkHoverColor : kLinkColor;
}

void FrmAbout::ApplyColours() {
    highContrast_ = ui::HighContrastOn();
    background_.reset(CreateSolidBrush(highContrast_ ? GetSysColor(COLOR_WINDOW) : kAboutBackColor));
    for (Label* label : {&lblCaption, &lblVersion, &lblDescription, &lblDisclaimer}) label->SetForeColor(TextColour());
    lblWebLink.SetForeColor(LinkColour(false));
    // The drawn face paints in the system's button colours (the buttons' own
    // colours are those); the skins, drawn in fixed light colours, would not.
    // Setting it repaints, in the system's colours of the moment.
    const int32_t appearance = highContrast_ ? 1 : 2;
    for (const AboutButton* b : {&bSysInfo, &bExit})
        if (b->get() && (highContrast_ || (*b)->Appearance() != appearance)) (*b)->SetAppearance(appearance);
    if (hWnd()) RedrawWindow(hWnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace forms
