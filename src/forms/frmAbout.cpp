#include "forms/frmAbout.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "forms/LabelFit.h"
#include "forms/mGetRandomLabel.h"
#include "forms/mGlobalFunctionsWin.h"
#include "resource.h"
#include "services/mWebLink.h"
#include "base/Text.h"
#include "ui/Accessible.h"
#include "ui/Language.h"
#include "ui/Units.h"

namespace forms {
namespace {

using ui::TwipsToPixels;

constexpr int kClientWidthTwips = 6300;
constexpr int kClientHeightTwips = 3600;

struct TwipsRect {
    int left, top, width, height;
};

struct LabelDesign {
    Label FrmAbout::*label;
    int id;
    TwipsRect bounds;
    const char* face;
    int centipoints;
    bool bold;
    bool underline;
    COLORREF color;
    bool takesMouse;
};

// In tab order: the platform takes a form's tab order from the order in which
// its child windows were made.
// clang-format off
const std::array<LabelDesign, 5> kLabels = {{
    {&FrmAbout::lblDisclaimer, kIdDisclaimer, {255, 2760, 2580, 225}, "Comic Sans MS", 825, false, false,
     kAboutTextColor, false},
    {&FrmAbout::lblVersion, kIdVersion, {1050, 840, 4095, 225}, "Comic Sans MS", 975, false, false, kAboutTextColor,
     false},
    {&FrmAbout::lblDescription, kIdDescription, {1080, 1320, 4095, 1065}, "Comic Sans MS", 975, false, false,
     kAboutTextColor, false},
    {&FrmAbout::lblCaption, kIdCaption, {1080, 120, 5055, 495}, "Comic Sans MS", 1425, true, false, kAboutTextColor,
     false},
    {&FrmAbout::lblWebLink, kIdWebLink, {1080, 3120, 2400, 240}, "Arial", 975, true, true, kLinkColor, true},
}};
// clang-format on

struct LineDesign {
    int x1, y1, x2, y2;
    COLORREF color;
};
constexpr std::array<LineDesign, 2> kLines = {{
    {240, 2685, 4320, 2685, 0x00331111},  // Line1(0)
    {225, 2640, 4320, 2640, 0x00808080},  // Line1(1)
}};

constexpr TwipsRect kSysInfoBounds{5280, 2400, 825, 465};
constexpr TwipsRect kExitBounds{5280, 3000, 825, 465};

RECT toPixels(const TwipsRect& r, int dpi) {
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return RECT{left, top, left + TwipsToPixels(r.width, dpi), top + TwipsToPixels(r.height, dpi)};
}

// The design's face, or where the person's language is written in a script that
// face lacks (Japanese), the system's own message font at the design's size.
base::UniqueFont makeFont(const char* face, int centipoints, bool bold, bool underline, int dpi) {
    const int height = -MulDiv(centipoints, dpi, 7200);
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (ui::TextNeedsSystemFont() && SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        lstrcpynW(font.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE);
    else
        lstrcpynW(font.lfFaceName, base::FromAnsi(face).c_str(), LF_FACESIZE);
    return base::UniqueFont(CreateFontIndirectW(&font));
}

std::wstring versionText() {
    return ui::Text(IDS_ABOUT_VERSION, std::to_wstring(TOLLVANE_VERSION_MAJOR) + L"." +
                                           std::to_wstring(TOLLVANE_VERSION_MINOR) + L"." +
                                           std::to_wstring(TOLLVANE_VERSION_PATCH));
}

}  // namespace

FrmAbout& frmAbout() {
    static FrmAbout form;
    return form;
}

void ShowAboutBox(const ui::Picture& icon) {
    FrmAbout& about = frmAbout();
    about.Icon = icon;
    about.Show();
    if (!about.IsLoaded()) return;
    // Chosen again while open: the same box comes to the front.
    SetForegroundWindow(about.hWnd());
}

bool FrmAbout::CreateFormWindow() {
    dpi_ = ui::ScreenDpi().y;
    ui::Window::ClassInfo cls{kAboutClass};
    ui::Window::CreateInfo info;
    info.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    info.title = "About";
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)};
    AdjustWindowRectEx(&frame, info.style, FALSE, info.exStyle);
    info.width = frame.right - frame.left;
    info.height = frame.bottom - frame.top;
    info.x = (GetSystemMetrics(SM_CXSCREEN) - info.width) / 2;
    info.y = (GetSystemMetrics(SM_CYSCREEN) - info.height) / 2;
    background_.reset(CreateSolidBrush(kAboutBackColor));
    if (!ole_) ole_.emplace();
    if (!Create(cls, info)) return false;
    CreateControls();
    ApplyColours();
    return true;
}

void FrmAbout::CreateControls() {
    for (const LabelDesign& d : kLabels) {
        Label& label = this->*d.label;
        // What takes the mouse acts on a click, and is reached with the keyboard too.
        label.Create(hWnd(), d.id, toPixels(d.bounds, dpi_), d.takesMouse, d.takesMouse);
        label.SetFont(makeFont(d.face, d.centipoints, d.bold, d.underline, dpi_));
        label.SetForeColor(d.color);
    }
    lblWebLink.OnMouseMove = [this] { SetLinkColor(LinkColour(true)); };
    lblWebLink.OnClick = [this] { services::OpenWebLink(hWnd(), kHomePage); };
    lblWebLink.SetLinkAddress(kHomePage);
    ui::StackChildrenInReadingOrder(hWnd());  // the labels only: the buttons come after them

    LoadButtons();
    AttachKeys();
}

namespace {

// A stored button record among the program's resources; empty when absent.
std::span<const uint8_t> storedRecord(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const uint8_t*>(data), SizeofResource(module, found)};
}

}  // namespace

void FrmAbout::LoadButtons() {
    host_.Attach(hWnd());
    buttonex::ButtonExEvents* events = this;
    bSysInfo.button_ = std::make_unique<buttonex::ButtonEx>(host_, events);
    bExit.button_ = std::make_unique<buttonex::ButtonEx>(host_, events);
    // The skins grow with the box, so that the caption's larger font still fits.
    bSysInfo->SetSkinDpi(dpi_);
    bExit->SetSkinDpi(dpi_);
    // Tab order follows the labels: 5 and 6.
    host_.Load(*bSysInfo.button_, storedRecord(IDR_ABOUT_BSYSINFO), kSysInfoBounds.left, kSysInfoBounds.top, 5);
    host_.Load(*bExit.button_, storedRecord(IDR_ABOUT_BEXIT), kExitBounds.left, kExitBounds.top, 6);
}

void FrmAbout::Click(buttonex::ButtonEx& button) {
    if (&button == bSysInfo.get())
        bSysInfo_Click();
    else if (&button == bExit.get())
        bExit_Click();
}

void FrmAbout::DestroyControls() noexcept {
    for (const LabelDesign& d : kLabels) (this->*d.label).Destroy();
    bSysInfo.button_.reset();
    bExit.button_.reset();
}

void FrmAbout::OnLoad() {
    // The box holds its own reference to the icon, so it may outlive the main form.
    if (HICON icon = static_cast<HICON>(Icon.Handle())) {
        SendMessageA(hWnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(hWnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    lblCaption.SetCaption(kAppTitle);
    GetRandomLabel(lblWebLink);
    lblDescription.SetCaption(ui::Text(IDS_ABOUT_DESCRIPTION));
    lblVersion.SetCaption(versionText());
    lblDisclaimer.SetCaption(ui::Text(IDS_ABOUT_DISCLAIMER));
    SetWindowTextW(hWnd(), ui::Text(IDS_ABOUT_TITLE, kAppTitle).c_str());
    for (const LabelDesign& d : kLabels) GrowToFitText(this->*d.label);
}

void FrmAbout::OnUnload() { DestroyControls(); }

void FrmAbout::bSysInfo_Click() { StartSysInfo(hWnd()); }

void FrmAbout::bExit_Click() { Unload(); }

void FrmAbout::SetLinkColor(COLORREF color) {
    // Only a change repaints: the pointer's every move would otherwise flicker the link.
    if (lblWebLink.ForeColor() != color) lblWebLink.SetForeColor(color);
}

LRESULT FrmAbout::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT handled = 0;
    if (host_.HandleFormMessage(msg, wParam, lParam, handled)) return handled;
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(hWnd(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
            return 1;
        }
        case WM_PAINT:
            return PaintWith([this](HDC dc) { Paint(dc); });
        case WM_CTLCOLORSTATIC: {
            const auto control = reinterpret_cast<HWND>(lParam);
            const auto dc = reinterpret_cast<HDC>(wParam);
            for (const LabelDesign& d : kLabels)
                if (HBRUSH brush = (this->*d.label).CtlColor(control, dc, background_.get()))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        }
        case WM_MOUSEMOVE:
            SetLinkColor(LinkColour(false));
            break;
        case WM_SYSCOLORCHANGE:
            ApplyColours();
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) ApplyColours();
            break;
        case WM_SETFOCUS:
            // Focus goes to the first control that takes it, as in a dialog.
            if (HWND first = GetNextDlgTabItem(hWnd(), nullptr, FALSE)) SetFocus(first);
            return 0;
        case WM_NCDESTROY:
            DestroyControls();
            break;
        default:
            break;
    }
    return ui::Form::OnMessage(msg, wParam, lParam);
}

void FrmAbout::Paint(HDC dc) {
    for (const LineDesign& line : kLines) {
        const COLORREF colour = highContrast_ ? TextColour() : line.color;
        base::UniquePen pen(CreatePen(PS_SOLID, 1, colour));
        base::SelectedObject selected(dc, pen.get());
        const int x1 = TwipsToPixels(line.x1, dpi_), y1 = TwipsToPixels(line.y1, dpi_);
        const int x2 = TwipsToPixels(line.x2, dpi_), y2 = TwipsToPixels(line.y2, dpi_);
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        // LineTo leaves out the end point; the line includes it.
        SetPixel(dc, x2, y2, colour);
    }
}

}  // namespace forms
