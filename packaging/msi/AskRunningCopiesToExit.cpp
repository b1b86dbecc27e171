// Windows Installer calls this before the package's files are replaced or removed
// (an upgrade, a repair, an uninstall). Every running copy of the program installed
// in the package's folder is asked to exit as the tray menu's Exit does, by
// WM_CLOSE to its main window, so that its icon goes and nothing is killed. A copy
// that has not ended within ten seconds is left to Windows Installer, which
// replaces a file in use at the next restart. Copies of other installs (a person's
// own, under the local application data folder) keep running. Like the program,
// it narrows where DLLs are loaded from before anything else, and lets no
// exception out into Windows Installer or through EnumWindows.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>
#include <psapi.h>

#include <string>
#include <vector>

#include "base/CallbackBoundary.h"
#include "base/DllSearch.h"
#include "base/GrowingText.h"
#include "base/Handles.h"
#include "services/PathRules.h"

namespace {

constexpr DWORD kWaitMs = 10000;

// A list that cannot grow ends the search; the windows found so far are asked.
BOOL CALLBACK collectMainForms(HWND window, LPARAM found) {
    return base::CallbackBoundary(FALSE, [&] {
        wchar_t name[64] = {};
        if (GetClassNameW(window, name, 64) && lstrcmpW(name, TOLLVANE_MAIN_FORM_CLASS) == 0)
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
    });
}

std::wstring programOf(HANDLE process) {
    return base::GrowingText([&](wchar_t* buffer, DWORD size) {
        const DWORD n = GetModuleFileNameExW(process, nullptr, buffer, size);
        return n < size - 1 ? n : size;  // a path cut short fills the buffer
    });
}

// The long form of a path: a copy started through an 8.3 path ("C:\PROGRA~1\...")
// runs under that name, and the install folder may come in either form.
std::wstring longPath(const std::wstring& path) {
    const std::wstring out =
        base::GrowingText([&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(path.c_str(), buffer, size); });
    return out.empty() ? path : out;
}

// The folder the package installs into, as this install resolved it.
std::wstring installFolder(MSIHANDLE install) {
    std::wstring folder(MAX_PATH, L'\0');
    DWORD size = MAX_PATH;
    UINT result = MsiGetTargetPathW(install, L"INSTALLDIR", folder.data(), &size);
    if (result == ERROR_MORE_DATA) {
        folder.resize(++size);
        result = MsiGetTargetPathW(install, L"INSTALLDIR", folder.data(), &size);
    }
    if (result != ERROR_SUCCESS) return {};
    folder.resize(size);
    return folder;
}

void askRunningCopiesToExit(MSIHANDLE install) {
    const std::wstring folder = longPath(installFolder(install));
    if (folder.empty()) return;
    std::vector<HWND> windows;
    EnumWindows(collectMainForms, reinterpret_cast<LPARAM>(&windows));
    std::vector<base::UniqueKernelHandle> asked;
    for (HWND window : windows) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        base::UniqueKernelHandle process(
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id));
        if (!process || !services::IsInFolder(longPath(programOf(process.get())), folder)) continue;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        asked.push_back(std::move(process));
    }
    const DWORD start = GetTickCount();
    for (const auto& process : asked) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= kWaitMs) break;
        WaitForSingleObject(process.get(), kWaitMs - spent);
    }
}

}  // namespace

// Asking is a courtesy: whatever fails, the install goes on (a file still in use
// is replaced at the next restart).
extern "C" UINT __stdcall AskRunningCopiesToExit(MSIHANDLE install) {
    base::NarrowDllSearch();
    base::CallbackBoundary([&] { askRunningCopiesToExit(install); });
    return ERROR_SUCCESS;
}
