// Windows Installer calls this before the package's files are replaced or removed
// (an upgrade, a repair, an uninstall). Every running copy of the program installed
// in the package's folder is asked to exit as the tray menu's Exit does, by
// WM_CLOSE to its main window, so that its icon goes and nothing is killed. A copy
// that has not ended within ten seconds is left to Windows Installer, which
// replaces a file in use at the next restart. Copies of other installs (a person's
// own, under the local application data folder) keep running.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>
#include <psapi.h>

#include <string>
#include <vector>

#include "base/GrowingText.h"
#include "base/Handles.h"
#include "services/PathRules.h"

namespace {

constexpr DWORD kWaitMs = 10000;

BOOL CALLBACK collectMainForms(HWND window, LPARAM found) {
    wchar_t name[64] = {};
    if (GetClassNameW(window, name, 64) && lstrcmpW(name, TOLLVANE_MAIN_FORM_CLASS) == 0)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::wstring programOf(HANDLE process) {
    return base::GrowingText([&](wchar_t* buffer, DWORD size) {
        const DWORD n = GetModuleFileNameExW(process, nullptr, buffer, size);
        return n < size - 1 ? n : size;  // a path cut short fills the buffer
    });
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

}  // namespace

extern "C" UINT __stdcall AskRunningCopiesToExit(MSIHANDLE install) {
    const std::wstring folder = installFolder(install);
    if (folder.empty()) return ERROR_SUCCESS;
    std::vector<HWND> windows;
    EnumWindows(collectMainForms, reinterpret_cast<LPARAM>(&windows));
    std::vector<base::UniqueKernelHandle> asked;
    for (HWND window : windows) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        base::UniqueKernelHandle process(
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id));
        if (!process || !services::IsInFolder(programOf(process.get()), folder)) continue;
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
    return ERROR_SUCCESS;
}
