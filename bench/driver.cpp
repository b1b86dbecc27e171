// Drives programs for the benchmarks from inside Wine.
//   driver.exe startup RUNS EXE [ARGS]  ms from CreateProcess until the program's tray
//                                       icon exists, median of RUNS starts
//   driver.exe window RUNS EXE [ARGS]   ms from CreateProcess until the program's first
//                                       window shows (Tollvane's splash), median of RUNS
//   driver.exe detect RUNS MAILCLIENT   ms from the mail client's main window existing,
//                                       and from its showing, until a running Tollvane's
//                                       first monitor tick: two medians of RUNS
//   driver.exe about COUNT              opens and closes Tollvane's About box COUNT times
//   driver.exe table ROUNDS window|startup CMD...
//                                       each command line started in turn, ROUNDS times
//                                       round the list; a line per command: its median
//                                       and its fastest start, ms
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
    const char* cls;  // the main form's class finds the baseline's window too
    bool visible;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND h, LPARAM p) {
    auto* f = reinterpret_cast<Find*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    const std::string c = cls;
    if (owner == f->pid && (c == f->cls || (f->cls == std::string("TollvaneMainForm") && c == "TollvaneBaseline")) &&
        (!f->visible || IsWindowVisible(h))) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND windowOf(DWORD pid, const char* cls, bool visible) {
    Find f{pid, cls, visible, nullptr};
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

constexpr DWORD kSettleMs = 1000;

double msSince(const LARGE_INTEGER& t0) {
    LARGE_INTEGER f, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t1);
    return 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart);
}

// splash: until the first window shows (Tollvane's splash, the baseline's own
// window); otherwise until the tray icon exists.
double startOnce(const std::string& cmd, bool splash) {
    LARGE_INTEGER t0;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = cmd;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    HWND hwnd = nullptr;
    double ms = -1;
    for (int i = 0; i < 20000 && ms < 0; ++i) {
        if (splash) {
            if (windowOf(pi.dwProcessId, "TollvaneSplash", true) || windowOf(pi.dwProcessId, "TollvaneBaseline", false))
                ms = msSince(t0);
        } else {
            if (!hwnd) hwnd = windowOf(pi.dwProcessId, "TollvaneMainForm", false);
            if (hwnd && iconExists(hwnd)) ms = msSince(t0);
        }
        if (ms < 0) Sleep(1);
    }
    for (int i = 0; i < 5000 && !hwnd; ++i, Sleep(1)) hwnd = windowOf(pi.dwProcessId, "TollvaneMainForm", false);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The shell takes the ended program's icon away after the process is gone: the
    // next start waits for that, or it would pay for it (a program whose exit
    // takes longer, as ours with its events, leaves the next start less of it).
    Sleep(kSettleMs);
    return ms;
}

std::string captionOf(HWND hwnd) {
    char text[64] = {};
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return text;
}

// The mail client started while Tollvane waits: from its main window's first
// appearance to the first count in Tollvane's caption, which each monitor tick
// writes. "Appearance" twice: when the window exists (what a poll of FindWindow
// finds first) and when it is shown on the screen; a slow PC spends a while
// between the two, creating and showing it.
struct Detection {
    double fromExisting = -1;
    double fromShown = -1;
};

Detection detectOnce(HWND tollvane, const std::string& mailClient) {
    SendMessageTimeoutA(tollvane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("waiting"), SMTO_BLOCK, 5000, nullptr);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + mailClient + "\" --log C:\\bench-detect.txt";
    Detection d;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return d;
    LARGE_INTEGER existing{}, shown{};
    bool exists = false, visible = false;
    for (int i = 0; i < 30000 && d.fromExisting < 0; ++i) {
        HWND main = FindWindowA("Outlook Express Browser Class", nullptr);
        if (main && !exists) {
            QueryPerformanceCounter(&existing);
            exists = true;
        }
        if (main && !visible && IsWindowVisible(main)) {
            QueryPerformanceCounter(&shown);
            visible = true;
        }
        if (exists && captionOf(tollvane) != "waiting") {
            d.fromExisting = msSince(existing);
            if (visible) d.fromShown = msSince(shown);
        }
        if (d.fromExisting < 0) Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Sleep(6000);  // the next tick sees it gone and Tollvane waits again
    return d;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    if ((mode == "startup" || mode == "window") && argc > 3) {
        const int runs = std::atoi(argv[2]);
        std::string cmd;
        for (int i = 3; i < argc; ++i) cmd += std::string(i > 3 ? " " : "") + argv[i];
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) ms.push_back(startOnce(cmd, mode == "window"));
        std::printf("%.1f\n", median(ms));
        return 0;
    }
    if (mode == "table" && argc > 4) {
        const int rounds = std::atoi(argv[2]);
        const bool window = std::string(argv[3]) == "window";
        std::vector<std::vector<double>> ms(static_cast<size_t>(argc - 4));
        for (int r = 0; r < rounds; ++r) {
            for (int i = 4; i < argc; ++i) ms[static_cast<size_t>(i - 4)].push_back(startOnce(argv[i], window));
        }
        for (const auto& m : ms) std::printf("%.1f %.1f\n", median(m), *std::min_element(m.begin(), m.end()));
        return 0;
    }
    if (mode == "detect" && argc > 3) {
        HWND main = FindWindowA("TollvaneMainForm", nullptr);
        if (!main) return 1;
        std::vector<double> existing, shown;
        for (int i = 0; i < std::atoi(argv[2]); ++i) {
            const Detection d = detectOnce(main, argv[3]);
            existing.push_back(d.fromExisting);
            shown.push_back(d.fromShown);
        }
        std::printf("%.1f %.1f\n", median(existing), median(shown));
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
    std::fprintf(stderr,
                 "usage: driver startup|window RUNS EXE [ARGS] | driver detect RUNS MAILCLIENT | driver about COUNT\n");
    return 2;
}
