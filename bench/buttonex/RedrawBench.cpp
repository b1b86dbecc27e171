// Time of one ButtonEx repaint in each face mode, and with the silhouette.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "controls/buttonex/ButtonEx.h"
#include "controls/buttonex/ButtonExHost.h"
#include "resource.h"

namespace buttonex {
// The same door the control's tests use to reach its private painter.
struct ButtonExTestAccess {
    static void Redraw(ButtonEx& b, int32_t state) { b.Redraw(state); }
};
}  // namespace buttonex

namespace {

constexpr int kRuns = 2000;
constexpr int32_t kUp = 1, kOver = 2, kDown = 0;

// A 55x31 skin: a rounded button of one colour inside the key colour 0x00FFC0C0.
ui::Picture skin(COLORREF face) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 55, 31);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH key = CreateSolidBrush(0x00FFC0C0);
    RECT all{0, 0, 55, 31};
    FillRect(dc, &all, key);
    HBRUSH body = CreateSolidBrush(face);
    HGDIOBJ oldBrush = SelectObject(dc, body);
    RoundRect(dc, 2, 2, 53, 29, 12, 12);
    SelectObject(dc, oldBrush);
    SelectObject(dc, old);
    DeleteObject(body);
    DeleteObject(key);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return ui::Picture::FromBitmap(bmp);
}

// state -1 alternates Up and Over, the look changing under a moving pointer.
double microseconds(buttonex::ButtonEx& b, int32_t state) {
    auto stateOf = [state](int i) { return state >= 0 ? state : (i % 2 ? kOver : kUp); };
    for (int i = 0; i < 20; ++i) buttonex::ButtonExTestAccess::Redraw(b, stateOf(i));
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < kRuns; ++i) buttonex::ButtonExTestAccess::Redraw(b, stateOf(i));
    QueryPerformanceCounter(&t1);
    return 1e6 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart) / kRuns;
}

}  // namespace

int main() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RedrawBenchForm";
    RegisterClassA(&wc);
    HWND form = CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    buttonex::ButtonExHost host;
    host.Attach(form);
    buttonex::ButtonEx b{host};
    host.Place(b, 300, 300, 0);
    b.SetCaption(L"&Exit");
    const ui::Picture icon = ui::Picture::FromIconResource(IDI_APP, 16);

    struct Mode {
        const char* name;
        std::function<void()> setUp;
        int32_t state;
    };
    const Mode modes[] = {
        {"drawn face, raised, Up", [&] {}, kUp},
        {"drawn face, raised, Down", [&] {}, kDown},
        {"drawn face, flat, Over", [&] { b.SetAppearance(0); }, kOver},
        {"drawn face with picture, Up",
         [&] {
             b.SetAppearance(1);
             b.SetPicture(icon);
         },
         kUp},
        {"silhouette (HighlightPicture), Over", [&] { b.SetHighlightPicture(true); }, kOver},
        {"skins, Up",
         [&] {
             b.SetHighlightPicture(false);
             b.SetSkinUp(skin(RGB(90, 120, 200)));
             b.SetSkinOver(skin(RGB(120, 150, 230)));
             b.SetSkinDown(skin(RGB(60, 90, 170)));
             b.SetTransparentColor(0x00FFC0C0);
         },
         kUp},
        {"skins, Up and Over alternating", [&] {}, -1},
    };
    std::printf("%-44s %12s\n", "ButtonEx repaint", "us per call");
    for (const Mode& m : modes) {
        m.setUp();
        std::printf("%-44s %12.1f\n", m.name, microseconds(b, m.state));
    }
    DestroyWindow(form);
    return 0;
}
