#include "support/WinTest.h"

#include <sddl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

#include "base/Text.h"
#include "ui/Dib.h"

namespace wintest {

std::string BuiltProgram(const std::string& exeName) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    dir.resize(dir.find_last_of('\\') + 1);
    return dir + exeName;
}

Child::Child(std::wstring commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        process_.reset(pi.hProcess);
        pid_ = pi.dwProcessId;
    }
}

Child Child::Open(DWORD pid) {
    Child child;
    child.process_.reset(OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid));
    child.pid_ = child.process_ ? pid : 0;
    return child;
}

bool Child::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool Child::WaitExit(DWORD ms) const {
    return !process_ || WaitUntil([&] { return !Running(); }, ms);
}

DWORD Child::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_.get(), &code);
    return code;
}

void Child::Kill() {
    if (Running()) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
    process_.reset();
}

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetTickCount() - start >= ms) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Pump(stepMs);
    }
}

UnixJob::UnixJob(const std::string& program, const std::string& args) {
    // Wine starts a Unix program through a helper whose end says nothing about the
    // program's own, so the shell leaves the exit code in a marker file when done.
    static int serial = 0;
    const std::string marker = UnixTempName("unix") + "-" + std::to_string(++serial);
    marker_ = WindowsPathOf(marker);
    DeleteFileA(marker_.c_str());
    const std::string script =
        program + " " + args + "; echo $? > " + marker + ".part && mv " + marker + ".part " + marker;
    // Wine may report a failed start for a Unix program that did start: only the
    // marker tells.
    child_ = Child("Z:\\bin\\sh -c \"" + script + "\"");
}

UnixJob::~UnixJob() { DeleteFileA(marker_.c_str()); }

bool UnixJob::Ended() {
    if (code_ < 0) {
        const std::string text = ReadFileText(marker_);
        if (!text.empty()) code_ = std::atoi(text.c_str());
    }
    return code_ >= 0;
}

int UnixJob::Wait(DWORD timeoutMs) {
    WaitUntil([&] { return Ended(); }, timeoutMs, 10);
    return code_;
}

int RunUnix(const std::string& program, const std::string& args, DWORD timeoutMs) {
    return UnixJob(program, args).Wait(timeoutMs);
}

int Xdo(const std::string& args) { return RunUnix("/usr/bin/xdotool", args); }

namespace {
// Runs a shell script written here; its exit code, or -1.
int runScript(const std::string& name, const std::string& text) {
    const std::string script = UnixTempName(name) + ".sh";
    const std::string windowsPath = WindowsPathOf(script);
    std::ofstream(windowsPath, std::ios::binary) << text;
    const int code = RunUnix("/bin/sh", script);
    DeleteFileA(windowsPath.c_str());
    return code;
}
}  // namespace

std::string UnixTempName(const std::string& tag) {
    // Process ids repeat across Wine worlds running at once: the run's name tells them apart.
    const char* run = std::getenv("TOLLVANE_RUN_NAME");
    return "/tmp/tollvane-" + tag + "-" + std::string(run ? run : "") + std::to_string(GetCurrentProcessId());
}

std::string WindowsPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The Unix process of this world's one copy of the program: the shell sees the
// world's prefix in each process's environment (not pgrep: the emulated PC's
// minimal system has none). Its id is kept, so that exactly that process goes on.
Stopped::Stopped(const std::string& exeName) {
    const std::string found = UnixTempName("stopped");
    const int code = runScript("stop",
                               "p=\nfor d in /proc/[0-9]*; do\n"
                               "  tr '\\0' ' ' 2>/dev/null <$d/cmdline | grep -qF '" +
                                   exeName +
                                   "' || continue\n"
                                   "  tr '\\0' '\\n' 2>/dev/null <$d/environ | grep -qxF \"WINEPREFIX=$WINEPREFIX\" &&"
                                   " p=\"$p ${d#/proc/}\"\n"
                                   "done\n"
                                   "[ $(echo $p | wc -w) -eq 1 ] && kill -STOP $p && echo $p >" +
                                   found + "\n");
    const std::string text = ReadFileText(WindowsPathOf(found));
    DeleteFileA(WindowsPathOf(found).c_str());
    if (code == 0) pid_ = std::strtoul(text.c_str(), nullptr, 10);
}

void Stopped::End() {
    if (pid_ != 0) runScript("continue", "kill -CONT " + std::to_string(pid_) + "\n");
    pid_ = 0;
}

void Screenshot(const std::string& name) {
    const char* dir = std::getenv("TOLLVANE_ARTIFACTS");  // a Unix folder the test command made
    if (!dir || !*dir) return;
    RunUnix("/usr/bin/import", "-window root " + std::string(dir) + "/" + name);
}

void Measured(const std::string& what, unsigned long value, const char* unit) {
    const std::string line = what + ": " + std::to_string(value) + " " + unit;
    std::printf("[ measured ] %s\n", line.c_str());
    const char* dir = std::getenv("TOLLVANE_ARTIFACTS");
    if (!dir || !*dir) return;
    const std::string path = WindowsPathOf(std::string(dir) + "/measured.txt");
    const char* run = std::getenv("TOLLVANE_RUN_NAME");
    std::ofstream(path, std::ios::app) << (run ? run : "") << " " << line << "\n";
}

std::string TempFolder(const std::string& tag) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    std::string path = std::string(base) + "tollvane-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(GetTickCount());
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

namespace {
struct WindowQuery {
    const char* className;
    DWORD pid;
    std::vector<HWND> found;
};
BOOL CALLBACK collectWindow(HWND h, LPARAM param) {
    auto* q = reinterpret_cast<WindowQuery*>(param);
    char name[256] = {};
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (GetClassNameA(h, name, sizeof name) && lstrcmpiA(name, q->className) == 0 && (q->pid == 0 || owner == q->pid))
        q->found.push_back(h);
    return TRUE;
}
}  // namespace

// One snapshot of the window list: stepping with FindWindowEx from the last window
// found skips windows that another process raises meanwhile.
std::vector<HWND> TopLevelWindows(const char* className, DWORD pid) {
    WindowQuery q{className, pid, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::string WindowText(HWND hwnd) {
    char buffer[512] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        &result);
    return buffer;
}

Pixels DibPixels(const uint32_t* bits, int width, int height) {
    Pixels p{width, height, {}};
    GdiFlush();
    for (int i = 0; i < width * height; ++i)
        p.colours.push_back(RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF));
    return p;
}

Pixels DrawnPixels(int width, int height, const std::function<void(HDC)>& draw) {
    if (width <= 0 || height <= 0) return {};
    base::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const BITMAPINFO format = ui::TopDownDib32(width, height);
    void* bits = nullptr;
    base::UniqueBitmap dib(CreateDIBSection(dc.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib) return {};
    {
        base::SelectedObject selected(dc.get(), dib.get());
        draw(dc.get());
        GdiFlush();
    }
    return DibPixels(static_cast<const uint32_t*>(bits), width, height);
}

Pixels ScreenPixels(const RECT& r) {
    base::WindowDc screen(nullptr);
    return DrawnPixels(r.right - r.left, r.bottom - r.top, [&](HDC dc) {
        BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen.get(), r.left, r.top, SRCCOPY);
    });
}

Box FindColour(const Pixels& pixels, COLORREF colour, int tolerance) {
    auto within = [tolerance](int a, int b) { return a - b <= tolerance && b - a <= tolerance; };
    Box b;
    for (int i = 0; i < pixels.width * pixels.height; ++i) {
        const COLORREF c = pixels.colours[static_cast<size_t>(i)];
        if (!within(GetRValue(c), GetRValue(colour)) || !within(GetGValue(c), GetGValue(colour)) ||
            !within(GetBValue(c), GetBValue(colour)))
            continue;
        const int x = i % pixels.width, y = i / pixels.width;
        b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y), b.count + 1};
    }
    return b;
}

int GdiObjectCount() {
    int n = 0;
    for (UINT_PTR v = 1; v < 0x10000; ++v)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(v))) ++n;
    return n;
}

namespace {
// Enumeration callbacks keep the platform's calling convention: a lambda would
// not convert to one on 32-bit Windows.
BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
BOOL CALLBACK countWindowAndChildren(HWND top, LPARAM count) {
    countWindow(top, count);
    EnumChildWindows(top, countWindow, count);
    return TRUE;
}
}  // namespace

int WindowCount() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindowAndChildren, reinterpret_cast<LPARAM>(&n));
    return n;
}

RegValue ReadRegValue(HKEY root, const std::string& subKey, const std::string& name) {
    RegValue v;
    DWORD size = 0;
    if (SHGetValueA(root, subKey.c_str(), name.c_str(), &v.type, nullptr, &size) != ERROR_SUCCESS) return v;
    v.exists = true;
    v.data.resize(size);
    if (size) SHGetValueA(root, subKey.c_str(), name.c_str(), &v.type, v.data.data(), &size);
    return v;
}

namespace {
base::UniqueRegKey openKey(HKEY root, const std::string& subKey, REGSAM access) {
    HKEY key = nullptr;
    return base::UniqueRegKey(RegOpenKeyExA(root, subKey.c_str(), 0, access, &key) == ERROR_SUCCESS ? key : nullptr);
}
}  // namespace

bool KeyExists(HKEY root, const std::string& subKey) {
    return static_cast<bool>(openKey(root, subKey, KEY_QUERY_VALUE));
}

void DeleteKeyTree(HKEY root, const std::string& subKey) { SHDeleteKeyA(root, subKey.c_str()); }

void WriteRegValue(HKEY root, const std::string& subKey, const std::string& name, DWORD type,
                   const std::vector<unsigned char>& data) {
    SHSetValueA(root, subKey.c_str(), name.c_str(), type, data.data(), static_cast<DWORD>(data.size()));
}

void WriteRegString(HKEY root, const std::string& subKey, const std::string& name, const std::string& value) {
    WriteRegValue(root, subKey, name, REG_SZ,
                  std::vector<unsigned char>(value.c_str(), value.c_str() + value.size() + 1));
}

void DeleteRegValue(HKEY root, const std::string& subKey, const std::string& name) {
    SHDeleteValueA(root, subKey.c_str(), name.c_str());
}

bool MakeReadOnly(HKEY root, const std::string& subKey) {
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    const base::UniqueRegKey key = openKey(root, subKey, WRITE_DAC);
    const bool set = key &&
                     ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KRSD;;;WD)", SDDL_REVISION_1,
                                                                          &readOnly, nullptr) &&
                     RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, readOnly) == ERROR_SUCCESS;
    LocalFree(readOnly);
    return set && !openKey(root, subKey, KEY_SET_VALUE);
}

namespace {
std::function<void(HWND)> answerBox;
bool answered = false;
void CALLBACK answerModalTick(HWND, UINT, UINT_PTR, DWORD) {
    if (answered) return;
    for (HWND box : TopLevelWindows("#32770", GetCurrentProcessId())) {
        answered = true;
        return answerBox(box);
    }
    EndMenu();
}
}  // namespace

void AnswerModal(const std::function<void()>& action, const std::function<void(HWND box)>& answer) {
    answerBox = answer;
    answered = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, answerModalTick);
    action();
    KillTimer(nullptr, timer);
}

LentRegValue::LentRegValue(HKEY root, std::string subKey, std::string name)
    : root_(root),
      key_(std::move(subKey)),
      name_(std::move(name)),
      keyExisted_(KeyExists(root_, key_)),
      saved_(ReadRegValue(root_, key_, name_)) {}

LentRegValue::~LentRegValue() {
    if (!keyExisted_)
        DeleteKeyTree(root_, key_);
    else if (saved_.exists)
        WriteRegValue(root_, key_, name_, saved_.type, saved_.data);
    else
        Remove();
}

}  // namespace wintest
