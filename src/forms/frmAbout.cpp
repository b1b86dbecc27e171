#include "forms/frmAbout.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "forms/mGetRandomLabel.h"
#include "forms/SysInfoPath.h"
#include "forms/mGlobalFunctionsWin.h"
#include "resource.h"
#include "services/mWebLink.h"
#include "base/SystemFunction.h"
#include "base/Text.h"
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

// Runs the file named by path, as it is, in a normal activated window, without
// waiting. The path is the program's file name, never a command line to be
// searched: an unquoted path with spaces could otherwise start another
// program sitting at a shorter prefix of it ("C:\Program.exe").
bool startProgram(const std::wstring& path) {
    if (path.empty()) return false;
    const std::string file = base::ToAnsi(path);
    std::string commandLine = "\"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesA(base::ToAnsi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether this is a 32-bit program on 64-bit Windows (which Windows XP cannot tell).
bool runsUnderWow64() {
    using IsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 = base::SystemFunction<IsWow64Process>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring folder(UINT(WINAPI* get)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH] = {};
    const UINT n = get(path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

// WOW64's file system redirection switched off on this thread for the object's
// life: for the 64-bit Windows that have no Sysnative alias (XP x64, Server 2003).
class RedirectionOff {
public:
    explicit RedirectionOff(bool wanted) {
        using Disable = BOOL(WINAPI*)(PVOID*);
        const auto disable = base::SystemFunction<Disable>("kernel32.dll", "Wow64DisableWow64FsRedirection");
        off_ = wanted && disable && disable(&previous_);
    }
    ~RedirectionOff() {
        using Revert = BOOL(WINAPI*)(PVOID);
        const auto revert = base::SystemFunction<Revert>("kernel32.dll", "Wow64RevertWow64FsRedirection");
        if (off_ && revert) revert(previous_);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    PVOID previous_ = nullptr;
    bool off_ = false;
};

// Starts path as the 64-bit system names it where this program runs under
// WOW64, elsewhere as it is. onlyAFile: a path that names no file is not tried.
bool startNative(const std::wstring& path, bool onlyAFile) {
    const std::wstring native =
        SysInfoLaunchPath(path, folder(GetSystemDirectoryW), folder(GetSystemWindowsDirectoryW), runsUnderWow64());
    if (native != path && isFile(native)) return startProgram(native);
    const RedirectionOff off(native != path);
    return (!onlyAFile || isFile(path)) && startProgram(path);
}

std::wstring expanded(const std::wstring& text) {
    std::wstring out(text.size() + MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ExpandEnvironmentStringsW(text.c_str(), out.data(), static_cast<DWORD>(out.size()));
        if (n == 0) return text;
        if (n <= out.size()) {
            out.resize(n - 1);  // n counts the closing NUL
            return out;
        }
        out.resize(n);
    }
}

}  // namespace

bool GetKeyValue(HKEY KeyRoot, const std::wstring& KeyName, const std::wstring& SubKeyRef, std::wstring& KeyVal) {
    // The program's own view of the registry first, then the other one: on 64-bit
    // Windows this 32-bit program sees the 32-bit view, while System Information
    // is registered in the 64-bit one. Where there is no other view the flag is
    // ignored and the same key is read twice.
    constexpr REGSAM kOtherView = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    std::array<char, 1024> buffer{};
    DWORD type = 0;
    bool found = false;
    for (const REGSAM view : {REGSAM{0}, kOtherView}) {
        HKEY opened = nullptr;
        // Read access is all a lookup needs: asking for write access as well would
        // fail for every user who may not write the key.
        if (RegOpenKeyExA(KeyRoot, base::ToAnsi(KeyName).c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS)
            continue;
        base::UniqueRegKey key(opened);
        DWORD size = static_cast<DWORD>(buffer.size());
        found = RegQueryValueExA(key.get(), base::ToAnsi(SubKeyRef).c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS;
        if (found) break;
    }
    if (!found) {
        KeyVal.clear();
        return false;
    }
    // The text ends at its first NUL, or at the buffer's end for a value stored
    // without one.
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    if (type == REG_SZ) KeyVal = base::FromAnsi(std::string(buffer.begin(), end));
    // A path kept with %variables% in it (as Windows itself keeps many) is of use
    // only once they are replaced.
    if (type == REG_EXPAND_SZ) KeyVal = expanded(base::FromAnsi(std::string(buffer.begin(), end)));
    return true;
}

void StartSysInfo(HWND owner) {
    std::wstring path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", path)) {
        if (startNative(path, false)) return;
    } else if (GetKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO", path)) {
        if (startNative(AddBackslash(path) + L"MSINFO32.EXE", true)) return;
    }
    MessageBoxW(owner, ui::Text(IDS_SYSINFO_UNAVAILABLE).c_str(), kAppTitle, MB_OK);
}

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
    return true;
}

void FrmAbout::CreateControls() {
    for (const LabelDesign& d : kLabels) {
        Label& label = this->*d.label;
        label.Create(hWnd(), d.id, toPixels(d.bounds, dpi_), d.takesMouse);
        label.SetFont(makeFont(d.face, d.centipoints, d.bold, d.underline, dpi_));
        label.SetForeColor(d.color);
    }
    lblWebLink.OnMouseMove = [this] { SetLinkColor(kLinkHoverColor); };
    lblWebLink.OnClick = [this] { services::OpenWebLink(hWnd(), kHomePage); };

    LoadButtons();
}

namespace {

// A stored button record among the program's resources; empty when absent.
std::span<const uint8_t> storedRecord(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
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
    // Tab order follows the labels: 5 and 6.
    host_.Load(*bSysInfo.button_, storedRecord(IDR_ABOUT_BSYSINFO), kSysInfoBounds.left, kSysInfoBounds.top, 5);
    host_.Load(*bExit.button_, storedRecord(IDR_ABOUT_BEXIT), kExitBounds.left, kExitBounds.top, 6);
}

void FrmAbout::Click(buttonex::ButtonEx& button) {
    if (&button == bSysInfo.get()) bSysInfo_Click();
    else if (&button == bExit.get()) bExit_Click();
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
            SetLinkColor(kLinkColor);
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
        base::UniquePen pen(CreatePen(PS_SOLID, 1, line.color));
        base::SelectedObject selected(dc, pen.get());
        const int x1 = TwipsToPixels(line.x1, dpi_), y1 = TwipsToPixels(line.y1, dpi_);
        const int x2 = TwipsToPixels(line.x2, dpi_), y2 = TwipsToPixels(line.y2, dpi_);
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        // LineTo leaves out the end point; the line includes it.
        SetPixel(dc, x2, y2, line.color);
    }
}

}  // namespace forms
