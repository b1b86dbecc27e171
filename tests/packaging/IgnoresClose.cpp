// Stands in for a copy of the program that does not exit when asked: a hidden
// top-level window of the class named by the first argument that ignores
// WM_CLOSE. Once the window exists it creates the file named by the second
// argument, so that a test knows when to go on.
#include <windows.h>
#include <stdlib.h>

namespace {

LRESULT CALLBACK IgnoreClose(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) return 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 2;
    WNDCLASSA cls{};
    cls.lpfnWndProc = IgnoreClose;
    cls.hInstance = instance;
    cls.lpszClassName = __argv[1];
    if (!RegisterClassA(&cls)) return 1;
    if (!CreateWindowExA(WS_EX_TOOLWINDOW, __argv[1], "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr))
        return 1;
    HANDLE ready = CreateFileA(__argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
