#include "services/mShell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "base/GrowingText.h"
#include "base/Handles.h"
#include "services/PathRules.h"

namespace services {
namespace {

std::wstring runningProgramPath() {
    // A path cut short comes back as long as the buffer.
    return base::GrowingText([](wchar_t* buffer, DWORD size) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer, size);
        return n < size ? n : size;
    });
}

// The long form of a path: Windows XP gives the temporary folder in short names
// ("C:\DOCUME~1\...\LOCALS~1\Temp"), the program's own path in long ones.
std::wstring longPath(const std::wstring& path) {
    const std::wstring out =
        base::GrowingText([&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(path.c_str(), buffer, size); });
    return out.empty() ? path : out;
}

bool runsFromTemporaryFolder(const std::wstring& program) {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) return false;
    return IsInFolder(longPath(program), longPath(temp));
}

bool startsProgram(const std::wstring& shortcutFile, const std::wstring& program) {
    const std::wstring target = LinkTarget(shortcutFile);
    return !target.empty() && SamePath(longPath(target), longPath(program));
}

// Whether a shortcut in the all-users Startup folder starts program, as a
// machine-wide install puts one there for every person's logon.
bool startedForEveryone(const std::wstring& program) {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder))) return false;
    const std::wstring prefix = std::wstring(folder) + L"\\";
    WIN32_FIND_DATAW found{};
    base::UniqueFind listing(FindFirstFileW((prefix + L"*.lnk").c_str(), &found));
    if (!listing) return false;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && startsProgram(prefix + found.cFileName, program))
            return true;
    } while (FindNextFileW(listing.get(), &found));
    return false;
}

}  // namespace

std::wstring ShortcutTarget() {
    const std::wstring full = runningProgramPath();
    const size_t slash = full.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    std::wstring folder = full.substr(0, slash);
    std::wstring name = full.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    // The program's folder as the forms runtime reports it: a drive's root keeps its
    // backslash (C:\), so a program there gets C:\\tollvane.exe, which the
    // platform reads as the same file.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder + L"\\" + name + L".exe";
}

// The shortcut is made with the wide calls throughout: a user name or a program
// folder may hold characters that the ANSI code page cannot spell.
std::wstring StartupShortcutPath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
    return std::wstring(folder) + L"\\" + kShortcutName + L".lnk";
}

std::wstring LinkTarget(const std::wstring& shortcutFile) {
    base::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.put()))))
        return {};
    base::ComPtr<IPersistFile> file = link.as<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Load(shortcutFile.c_str(), STGM_READ))) return {};
    // Through the item list, which holds every name whole: Wine keeps the link's
    // plain-text path in the ANSI code page only.
    LPITEMIDLIST items = nullptr;
    wchar_t target[MAX_PATH] = {};
    if (FAILED(link->GetIDList(&items)) || !items) return {};
    const BOOL resolved = SHGetPathFromIDListW(items, target);
    CoTaskMemFree(items);
    return resolved ? target : std::wstring();
}

HRESULT SetStartupShortcut(bool Create) {
    const std::wstring path = StartupShortcutPath();
    if (path.empty()) return Create ? HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND) : S_OK;
    if (!Create) {
        DeleteFileW(path.c_str());
        return S_OK;
    }
    const std::wstring program = runningProgramPath();
    // A shortcut to a file that Windows deletes later would fail at every logon.
    if (program.empty() || runsFromTemporaryFolder(program)) return S_OK;
    base::ComApartment com;
    // Installed for every person, the program is started at each logon from the
    // all-users Startup folder: a shortcut of the person's own to the same file
    // would start a second copy.
    if (startedForEveryone(program)) {
        if (startsProgram(path, program)) DeleteFileW(path.c_str());
        return S_OK;
    }
    base::ComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(link.put()));
    if (FAILED(result)) return result;
    const std::wstring target = ShortcutTarget();
    if (target.empty()) return E_FAIL;
    link->SetPath(target.c_str());
    link->SetArguments(L"");
    base::ComPtr<IPersistFile> file = link.as<IPersistFile>(IID_IPersistFile);
    return file ? file->Save(path.c_str(), TRUE) : E_NOINTERFACE;
}

}  // namespace services
