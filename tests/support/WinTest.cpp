#include "support/WinTest.h"

#include <shlwapi.h>

#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <utility>

#include "base/Text.h"

namespace wintest {

std::string BuiltProgram(const std::string& exeName) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    dir.resize(dir.find_last_of('\\') + 1);
    return dir + exeName;
}

Child::Child(const std::string& commandLine, const std::vector<std::string>& env) {
    std::vector<std::wstring> wide;
    for (const std::string& e : env) wide.push_back(base::FromAnsi(e));
    start(base::FromAnsi(commandLine), wide);
}

Child::Child(const std::wstring& commandLine) { start(commandLine, {}); }

void Child::start(std::wstring commandLine, const std::vector<std::wstring>& env) {
    // The child gets this process's environment plus the extra entries.
    std::wstring block;
    if (!env.empty()) {
        LPWCH current = GetEnvironmentStringsW();
        for (LPWCH p = current; *p; p += wcslen(p) + 1) block.append(p).push_back(L'\0');
        FreeEnvironmentStringsW(current);
        for (const std::wstring& e : env) block.append(e).push_back(L'\0');
        block.push_back(L'\0');
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                       env.empty() ? nullptr : block.data(), nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        process_.reset(pi.hProcess);
        pid_ = pi.dwProcessId;
    }
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
    // Process ids repeat across Wine worlds running at once: the run's name tells them apart.
    static int serial = 0;
    const char* run = std::getenv("TOLLVANE_RUN_NAME");
    const std::string marker =
        "/tmp/tollvane-unix-" + std::string(run ? run : "") + std::to_string(GetCurrentProcessId()) + "-" +
        std::to_string(++serial);
    marker_ = "Z:" + marker;
    for (char& c : marker_)
        if (c == '/') c = '\\';
    DeleteFileA(marker_.c_str());
    const std::string script = program + " " + args + "; echo $? > " + marker + ".part && mv " + marker + ".part " +
                               marker;
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

std::string ArtifactPath(const std::string& name) {
    const char* dir = std::getenv("TOLLVANE_ARTIFACTS");
    std::string base = dir && *dir ? std::string("Z:") + dir : std::string("C:\\tollvane-artifacts");
    for (char& c : base)
        if (c == '/') c = '\\';
    CreateDirectoryA(base.c_str(), nullptr);
    return base + "\\" + name;
}

void Screenshot(const std::string& name) {
    std::string unixPath = ArtifactPath(name);
    if (unixPath.rfind("Z:", 0) != 0) return;  // only a Unix-side folder can take the picture
    unixPath = unixPath.substr(2);
    for (char& c : unixPath)
        if (c == '\\') c = '/';
    RunUnix("/usr/bin/import", "-window root " + unixPath);
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

namespace {
base::UniqueRegKey openKey(HKEY root, const std::string& subKey, REGSAM access, bool create = false) {
    HKEY key = nullptr;
    const LONG r = create ? RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr)
                          : RegOpenKeyExA(root, subKey.c_str(), 0, access, &key);
    return base::UniqueRegKey(r == ERROR_SUCCESS ? key : nullptr);
}
}  // namespace

RegValue ReadRegValue(HKEY root, const std::string& subKey, const std::string& name) {
    RegValue v;
    base::UniqueRegKey key = openKey(root, subKey, KEY_QUERY_VALUE);
    DWORD size = 0;
    if (key && RegQueryValueExA(key.get(), name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.exists = true;
        v.data.resize(size);
        if (size) RegQueryValueExA(key.get(), name.c_str(), nullptr, &v.type, v.data.data(), &size);
    }
    return v;
}

bool KeyExists(HKEY root, const std::string& subKey) { return static_cast<bool>(openKey(root, subKey, KEY_QUERY_VALUE)); }

void DeleteKeyTree(HKEY root, const std::string& subKey) { SHDeleteKeyA(root, subKey.c_str()); }

void WriteRegValue(HKEY root, const std::string& subKey, const std::string& name, DWORD type,
                   const std::vector<unsigned char>& data) {
    if (base::UniqueRegKey key = openKey(root, subKey, KEY_SET_VALUE, true))
        RegSetValueExA(key.get(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

void WriteRegString(HKEY root, const std::string& subKey, const std::string& name, const std::string& value) {
    WriteRegValue(root, subKey, name, REG_SZ, std::vector<unsigned char>(value.c_str(), value.c_str() + value.size() + 1));
}

void DeleteRegValue(HKEY root, const std::string& subKey, const std::string& name) {
    if (base::UniqueRegKey key = openKey(root, subKey, KEY_SET_VALUE)) RegDeleteValueA(key.get(), name.c_str());
}

LentRegValue::LentRegValue(HKEY root, std::string subKey, std::string name)
    : root_(root), key_(std::move(subKey)), name_(std::move(name)), keyExisted_(KeyExists(root_, key_)),
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
