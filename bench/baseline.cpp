// Baselines for the benchmarks: the least a program of this kind can do.
//   baseline.exe empty   a hidden window and an empty message loop
//   baseline.exe tray    the same with a tray icon
//   baseline.exe timer   the same with a 1 ms timer asking FindWindowA for the
//                        mail client's main window at every tick
//   baseline.exe slow    the same with a 2 s timer instead (the program's safety net)
// Each exits when its window gets WM_CLOSE.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace {

bool timerMode = false;

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (timerMode) FindWindowA("Outlook Express Browser Class", nullptr);
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    const bool tray = std::strstr(cmdLine, "tray") != nullptr;
    const bool slow = std::strstr(cmdLine, "slow") != nullptr;
    timerMode = slow || std::strstr(cmdLine, "timer") != nullptr;
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = "TollvaneBaseline";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "baseline", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                instance, nullptr);
    NOTIFYICONDATAA nid{};
    if (tray) {
        nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
        nid.hWnd = hwnd;
        nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
        nid.uCallbackMessage = WM_USER + 101;
        nid.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        lstrcpyA(nid.szTip, "baseline");
        Shell_NotifyIconA(NIM_ADD, &nid);
    }
    if (timerMode) SetTimer(hwnd, 1, slow ? 2000 : 1, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    if (tray) Shell_NotifyIconA(NIM_DELETE, &nid);
    return 0;
}
