#include "forms/frmSplash.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "forms/PixelRuns.h"
#include "forms/mGlobalFunctionsWin.h"
#include "resource.h"

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
// Some versions of the platform refuse ExtCreateRegion for very long
// rectangle lists; a picture with more runs is built in slices and joined.
constexpr size_t kRectsPerRegionCall = 2000;

HRGN regionFromRuns(const std::vector<PixelRun>& runs) {
    if (runs.empty()) return CreateRectRgn(0, 0, 0, 0);
    ui::UniqueRegion result;
    std::vector<unsigned char> buffer;
    for (size_t first = 0; first < runs.size(); first += kRectsPerRegionCall) {
        const size_t count = std::min(kRectsPerRegionCall, runs.size() - first);
        buffer.assign(sizeof(RGNDATAHEADER) + count * sizeof(RECT), 0);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        auto* rects = reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER));
        RECT bound{runs[first].left, runs[first].y, runs[first].right, runs[first].y + 1};
        for (size_t i = 0; i < count; ++i) {
            const PixelRun& run = runs[first + i];
            rects[i] = RECT{run.left, run.y, run.right, run.y + 1};
            bound.left = std::min<LONG>(bound.left, run.left);
            bound.right = std::max<LONG>(bound.right, run.right);
            bound.bottom = run.y + 1;
        }
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = static_cast<DWORD>(count);
        data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
        data->rdh.rcBound = bound;
        ui::UniqueRegion slice(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
        if (!slice) return nullptr;
        if (!result) {
            result = std::move(slice);
        } else if (CombineRgn(result.get(), result.get(), slice.get(), RGN_OR) == ERROR) {
            return nullptr;
        }
    }
    return result.release();
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

    // All pixels in one call, as 32-bit top-down rows (no padding at that depth).
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc || GetDIBits(dc.get(), picSource, 0, static_cast<UINT>(height), pixels.data(), &format,
                         DIB_RGB_COLORS) != height)
        return nullptr;

    if (lngTransColor < 1) lngTransColor = static_cast<int32_t>(ColorRefToDibPixel(pixels[0] & 0x00FFFFFFu));
    const std::vector<PixelRun> runs = OpaqueRuns(pixels, width, height, static_cast<size_t>(width),
                                                  static_cast<uint32_t>(lngTransColor));
    return regionFromRuns(runs);
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
    splash.Show();
    if (splash.IsLoaded()) UpdateWindow(splash.hWnd());
}

FrmSplash::FrmSplash() : Timer1(*this, kTimer1Id, kShowMs, true, [this] { Unload(); }) {
    // A DIB section keeps the picture's exact colours whatever the screen's
    // depth, so the corner colour matches the background pixels exactly.
    HANDLE bitmap = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0,
                               LR_CREATEDIBSECTION);
    Maskk.Picture = ui::Picture::FromBitmap(static_cast<HBITMAP>(bitmap));
    const int dpi = ScreenDpi();
    Maskk.Size = SIZE{TwipsToPixels(kPictureWidthTwips, dpi), TwipsToPixels(kPictureHeightTwips, dpi)};
}

bool FrmSplash::CreateFormWindow() {
    ui::Window::ClassInfo cls{kSplashClass};
    cls.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    ui::Window::CreateInfo info;
    // Borderless, so the client area starts at the window's own corner: the
    // region below is built in exactly those coordinates. A tool window, so it
    // puts no button on the taskbar.
    info.style = WS_POPUP;
    info.exStyle = WS_EX_TOOLWINDOW;
    info.title = "Borderless...";
    const int dpi = ScreenDpi();
    info.width = TwipsToPixels(kClientWidthTwips, dpi);
    info.height = TwipsToPixels(kClientHeightTwips, dpi);
    info.x = (GetSystemMetrics(SM_CXSCREEN) - info.width) / 2;
    info.y = (GetSystemMetrics(SM_CYSCREEN) - info.height) / 2;
    if (!Create(cls, info)) return false;
    Timer1.Sync();
    return true;
}

void FrmSplash::OnLoad() {
    MakeTopmost(hWnd());
    Maskk.AutoSize = true;
    if (Maskk.AutoSize) {
        const SIZE pixels = Maskk.Picture.Pixels();
        if (pixels.cx > 0 && pixels.cy > 0) Maskk.Size = pixels;
    }
    ChangeMask();
}

void FrmSplash::ChangeMask() {
    // Whatever fails here leaves an unshaped rectangle; start-up goes on.
    mRegion = RegionFromBitmap(static_cast<HBITMAP>(Maskk.Picture.Handle()));
    if (mRegion && !SetWindowRgn(hWnd(), mRegion, TRUE)) {
        DeleteObject(mRegion);
        mRegion = nullptr;
    }
}

LRESULT FrmSplash::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (HDC dc = BeginPaint(hWnd(), &ps)) {
                Paint(dc);
                EndPaint(hWnd(), &ps);
            }
            return 0;
        }
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
    ui::UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    ui::SelectedObject selected(source.get(), bitmap);
    BitBlt(dc, 0, 0, Maskk.Size.cx, Maskk.Size.cy, source.get(), 0, 0, SRCCOPY);
}

}  // namespace forms
