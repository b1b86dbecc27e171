// The program's whole image (its imports, runtime, resources and code) with a
// WinMain that makes the minimal program's first window at once: from process
// creation to this window is what runs before the program's first line, plus the
// first window that every program pays. The program's own start follows only on
// a command line that is never given, so that the linker keeps all of it.
#include <windows.h>

#include <cstring>

#include "app/mMain.h"

namespace {
LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = "TollvaneBaseline";
    RegisterClassA(&wc);
    CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "first", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                    nullptr);
    if (std::strcmp(cmdLine, "--never") == 0) app::Main();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
