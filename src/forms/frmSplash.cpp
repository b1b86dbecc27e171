#include "forms/frmSplash.h"

#include <cstdlib>
#include <vector>

#include "forms/frmAbout.h"
#include "forms/mGlobalFunctionsWin.h"
#include "resource.h"
#include "ui/Dib.h"
#include "ui/Units.h"
#include "ui/WindowRegion.h"

namespace forms {
namespace {

constexpr char kSplashClass[] = "TollvaneSplash";
constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT kShowMs = 2000;
// Design sizes in twips: the form's client area and the picture box.
constexpr int kClientWidthTwips = 3990;
constexpr int kClientHeightTwips = 2145;
constexpr int kPictureWidthTwips = 3990;
constexpr int kPictureHeightTwips = 2160;

// A window that is never shown, of a class of its own (a system control's class
// would need the common controls loaded first).
HWND makeOwner() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "TollvaneSplashOwner";
    RegisterClassA(&cls);  // once per process: a second registration fails and changes nothing
    return CreateWindowExA(0, cls.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, cls.hInstance, nullptr);
}

}  // namespace

HRGN RegionFromBitmap(HBITMAP picSource, int32_t& lngTransColor) {
    BITMAP info{};
    if (!picSource || GetObjectA(picSource, sizeof info, &info) != sizeof info) return nullptr;
    const int width = info.bmWidth;
    const int height = std::abs(info.bmHeight);
    if (width <= 0 || height <= 0) {
        // As reading a pixel outside a picture does: no colour at all.
        if (lngTransColor < 1) lngTransColor = static_cast<int32_t>(CLR_INVALID);
        return CreateRectRgn(0, 0, 0, 0);
    }

    // All pixels in one call, as 32-bit top-down rows.
    BITMAPINFO format = ui::TopDownDib32(width, height);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    base::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc ||
        GetDIBits(dc.get(), picSource, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS) != height)
        return nullptr;

    if (lngTransColor < 1) lngTransColor = static_cast<int32_t>(ui::ColorRefToDibPixel(pixels[0] & 0x00FFFFFFu));
    const std::vector<ui::PixelRun> runs =
        ui::OpaqueRuns(pixels, width, height, static_cast<size_t>(width), static_cast<uint32_t>(lngTransColor));
    return ui::RegionFromRuns(runs).release();
}

HRGN RegionFromBitmap(HBITMAP picSource) {
    int32_t transparent = 0;
    return RegionFromBitmap(picSource, transparent);
}

FrmSplash& frmSplash() {
    static FrmSplash form;
    return form;
}

void ShowSplash() {
    FrmSplash& splash = frmSplash();
    // A picture over whatever the person is doing while the program starts: it
    // takes neither the keyboard nor the foreground from the window in use.
    splash.Show(false);
    if (splash.IsLoaded()) UpdateWindow(splash.hWnd());
}

FrmSplash::FrmSplash()
    : Timer1(*this, kTimer1Id, kShowMs, true, [this] {
          Unload();
          owner_.reset();  // only once the splash is gone: an owner takes its owned windows with it
      }) {
    // A DIB section keeps the picture's exact colours whatever the screen's
    // depth, so the corner colour matches the background pixels exactly.
    HANDLE bitmap =
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    Maskk.Picture = ui::Picture::FromBitmap(static_cast<HBITMAP>(bitmap));
    const ui::Dpi dpi = ui::ScreenDpi();
    Maskk.Size = SIZE{ui::TwipsToPixels(kPictureWidthTwips, dpi.x), ui::TwipsToPixels(kPictureHeightTwips, dpi.y)};
}

bool FrmSplash::CreateFormWindow() {
    ui::Window::ClassInfo cls{kSplashClass};
    cls.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    ui::Window::CreateInfo info;
    // Borderless, so the client area starts at the window's own corner: the
    // region below is built in exactly those coordinates. A tool window, so it
    // puts no button on the taskbar. Top-most from the start: the load's
    // MakeTopmost then finds it in place, which on a slow PC is quicker than
    // moving it there.
    info.style = WS_POPUP;
    info.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    info.title = "Borderless...";
    const ui::Dpi dpi = ui::ScreenDpi();
    info.width = ui::TwipsToPixels(kClientWidthTwips, dpi.x);
    info.height = ui::TwipsToPixels(kClientHeightTwips, dpi.y);
    info.x = (GetSystemMetrics(SM_CXSCREEN) - info.width) / 2;
    info.y = (GetSystemMetrics(SM_CYSCREEN) - info.height) / 2;
    // A tool window has no taskbar button on Windows; Wine's taskbar leaves out
    // only owned windows.
    owner_.reset(makeOwner());
    info.parent = owner_.get();
    return Create(cls, info);
}

void FrmSplash::OnLoad() {
    MakeTopmost(hWnd());
    Maskk.AutoSize = true;
    if (Maskk.AutoSize) {
        const SIZE pixels = Maskk.Picture.Pixels();
        if (pixels.cx > 0 && pixels.cy > 0) Maskk.Size = pixels;
    }
    ScaleToScreen();
    ChangeMask();
}

void FrmSplash::ChangeMask() {
    // Whatever fails here leaves an unshaped rectangle; start-up goes on.
    base::UniqueRegion region(RegionFromBitmap(shape_ ? shape_.get() : static_cast<HBITMAP>(Maskk.Picture.Handle())));
    if (region) OffsetRgn(region.get(), at_.x, at_.y);
    mRegion = ui::GiveToWindow(hWnd(), std::move(region), true);
}

ui::AccessibleFacts FrmSplash::DescribeForReaders() {
    ui::AccessibleFacts facts;
    facts.name = kAppTitle;
    return facts;
}

LRESULT FrmSplash::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (accessibleClient_.Answer(hWnd(), msg, wParam, lParam, answer) ||
        accessibleWindow_.Answer(hWnd(), msg, wParam, lParam, answer))
        return answer;
    switch (msg) {
        case WM_PAINT:
            return PaintWith([this](HDC dc) { Paint(dc); });
        case WM_NCDESTROY:
            // The region went with the window.
            mRegion = nullptr;
            break;
        default:
            break;
    }
    return ui::Form::OnMessage(msg, wParam, lParam);
}

void FrmSplash::Paint(HDC dc) {
    const auto bitmap = static_cast<HBITMAP>(Maskk.Picture.Handle());
    if (!bitmap) return;
    base::UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    base::SelectedObject selected(source.get(), bitmap);
    BitBlt(dc, at_.x, at_.y, Maskk.Size.cx, Maskk.Size.cy, source.get(), 0, 0, SRCCOPY);
}

}  // namespace forms
