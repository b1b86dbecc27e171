// Drives programs for the benchmarks from inside Wine.
//   driver.exe startup RUNS EXE [ARGS]  ms from CreateProcess until the program's tray
//                                       icon exists, median of RUNS starts
//   driver.exe about COUNT              opens and closes Tollvane's About box COUNT times
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Find {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND h, LPARAM p) {
    auto* f = reinterpret_cast<Find*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    const std::string c = cls;
    if (owner == f->pid && (c == "TollvaneMainForm" || c == "TollvaneBaseline")) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND firstWindowOf(DWORD pid) {
    Find f{pid, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// An icon exists when the shell accepts a change to it.
bool iconExists(HWND hwnd) {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = hwnd;
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

double startOnce(const std::string& cmd) {
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = cmd;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    HWND hwnd = nullptr;
    for (int i = 0; i < 20000; ++i) {
        if (!hwnd) hwnd = firstWindowOf(pi.dwProcessId);
        if (hwnd && iconExists(hwnd)) break;
        Sleep(1);
    }
    QueryPerformanceCounter(&t1);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart);
}

bool waitFor(bool (*condition)(), DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 2) {
        if (condition()) return true;
        Sleep(2);
    }
    return false;
}

bool aboutOpen() {
    HWND h = FindWindowA("TollvaneAbout", nullptr);
    return h && IsWindowVisible(h);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup" && argc > 3) {
        const int runs = std::atoi(argv[2]);
        std::string cmd;
        for (int i = 3; i < argc; ++i) cmd += std::string(i > 3 ? " " : "") + argv[i];
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) ms.push_back(startOnce(cmd));
        std::sort(ms.begin(), ms.end());
        std::printf("%.1f\n", ms[ms.size() / 2]);
        return 0;
    }
    if (mode == "about" && argc > 2) {
        HWND main = FindWindowA("TollvaneMainForm", nullptr);
        if (!main) return 1;
        const int count = std::atoi(argv[2]);
        for (int i = 0; i < count; ++i) {
            PostMessageA(main, WM_COMMAND, 0x2002, 0);
            if (!waitFor(aboutOpen, 5000)) return 2;
            PostMessageA(FindWindowA("TollvaneAbout", nullptr), WM_CLOSE, 0, 0);
            if (!waitFor([] { return FindWindowA("TollvaneAbout", nullptr) == nullptr; }, 5000)) return 3;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: driver startup RUNS EXE [ARGS] | driver about COUNT\n");
    return 2;
}
