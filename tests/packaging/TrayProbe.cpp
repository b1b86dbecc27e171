// Whether a program is running with its icon in the notification area, seen
// from outside as a person would: a top-level window of the class named by the
// first argument, and an icon (id 0) of that window in the tray. Changing
// nothing of an icon succeeds only for an icon that is there.
// Exit code: 0 window and icon, 1 window without icon, 2 no window.
#include <windows.h>
#include <shellapi.h>

int main(int argc, char** argv) {
    if (argc < 2) return 3;
    HWND window = FindWindowA(argv[1], nullptr);
    if (!window) return 2;
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &record) ? 0 : 1;
}
