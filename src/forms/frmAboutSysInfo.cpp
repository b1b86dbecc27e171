// The About box's System Information button: the program found through the
// registry, started as the 64-bit system names it where this 32-bit program
// runs under WOW64.
#include <algorithm>
#include <array>
#include <string>

#include "forms/frmAbout.h"
#include "forms/mGlobalFunctions.h"
#include "forms/SysInfoPath.h"
#include "resource.h"
#include "base/GrowingText.h"
#include "base/SystemFunction.h"
#include "base/Text.h"
#include "ui/Language.h"

namespace forms {
namespace {

// Runs the file named by path, as it is, in a normal activated window, without
// waiting. The path is the program's file name, never a command line to be
// searched: an unquoted path with spaces could otherwise start another
// program sitting at a shorter prefix of it ("C:\Program.exe").
bool startProgram(const std::wstring& path) {
    if (path.empty()) return false;
    const std::string file = base::ToAnsi(path);
    std::string commandLine = "\"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesA(base::ToAnsi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether this is a 32-bit program on 64-bit Windows (which Windows XP cannot tell).
bool runsUnderWow64() {
    using IsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 = base::SystemFunction<IsWow64Process>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring folder(UINT(WINAPI* get)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH] = {};
    const UINT n = get(path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

// WOW64's file system redirection switched off on this thread for the object's
// life: for the 64-bit Windows that have no Sysnative alias (XP x64, Server 2003).
class RedirectionOff {
public:
    explicit RedirectionOff(bool wanted) {
        using Disable = BOOL(WINAPI*)(PVOID*);
        const auto disable = base::SystemFunction<Disable>("kernel32.dll", "Wow64DisableWow64FsRedirection");
        off_ = wanted && disable && disable(&previous_);
    }
    ~RedirectionOff() {
        using Revert = BOOL(WINAPI*)(PVOID);
        const auto revert = base::SystemFunction<Revert>("kernel32.dll", "Wow64RevertWow64FsRedirection");
        if (off_ && revert) revert(previous_);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    PVOID previous_ = nullptr;
    bool off_ = false;
};

// Starts path as the 64-bit system names it where this program runs under
// WOW64, elsewhere as it is. onlyAFile: a path that names no file is not tried.
bool startNative(const std::wstring& path, bool onlyAFile) {
    const std::wstring native =
        SysInfoLaunchPath(path, folder(GetSystemDirectoryW), folder(GetSystemWindowsDirectoryW), runsUnderWow64());
    if (native != path && isFile(native)) return startProgram(native);
    const RedirectionOff off(native != path);
    return (!onlyAFile || isFile(path)) && startProgram(path);
}

std::wstring expanded(const std::wstring& text) {
    const std::wstring out = base::GrowingText([&](wchar_t* buffer, DWORD size) -> DWORD {
        const DWORD n = ExpandEnvironmentStringsW(text.c_str(), buffer, size);
        return n == 0 ? 0 : n <= size ? n - 1 : n;  // n counts the closing NUL
    });
    return out.empty() ? text : out;
}

}  // namespace

bool GetKeyValue(HKEY KeyRoot, const std::wstring& KeyName, const std::wstring& SubKeyRef, std::wstring& KeyVal) {
    // The program's own view of the registry first, then the other one: on 64-bit
    // Windows this 32-bit program sees the 32-bit view, while System Information
    // is registered in the 64-bit one. Where there is no other view the flag is
    // ignored and the same key is read twice.
    constexpr REGSAM kOtherView = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    std::array<char, 1024> buffer{};
    DWORD type = 0, size = 0;
    bool found = false;
    for (const REGSAM view : {REGSAM{0}, kOtherView}) {
        HKEY opened = nullptr;
        // Read access is all a lookup needs: asking for write access as well would
        // fail for every user who may not write the key.
        if (RegOpenKeyExA(KeyRoot, base::ToAnsi(KeyName).c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS)
            continue;
        base::UniqueRegKey key(opened);
        size = static_cast<DWORD>(buffer.size());
        found = RegQueryValueExA(key.get(), base::ToAnsi(SubKeyRef).c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS;
        if (found) break;
    }
    if (!found) {
        KeyVal.clear();
        return false;
    }
    // Only the bytes this read returned: a read of the other view may have left
    // its own in the buffer (Windows leaves it undefined after ERROR_MORE_DATA).
    // The text ends at their first NUL, or where they end for a value stored
    // without one.
    const auto end = std::find(buffer.begin(), buffer.begin() + std::min<DWORD>(size, buffer.size()), '\0');
    if (type == REG_SZ) KeyVal = base::FromAnsi(std::string(buffer.begin(), end));
    // A path kept with %variables% in it (as Windows itself keeps many) is of use
    // only once they are replaced.
    if (type == REG_EXPAND_SZ) KeyVal = expanded(base::FromAnsi(std::string(buffer.begin(), end)));
    return true;
}

void StartSysInfo(HWND owner) {
    std::wstring path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", path)) {
        if (startNative(path, false)) return;
    } else if (GetKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO", path)) {
        if (startNative(AddBackslash(path) + L"MSINFO32.EXE", true)) return;
    }
    MessageBoxW(owner, ui::Text(IDS_SYSINFO_UNAVAILABLE).c_str(), kAppTitle, MB_OK);
}

}  // namespace forms
