#include "forms/SysInfoPath.h"

#include "forms/mGlobalFunctions.h"
#include "services/PathRules.h"

namespace forms {

std::wstring SysInfoLaunchPath(std::wstring_view path, std::wstring_view systemFolder, std::wstring_view windowsFolder,
                               bool wow64) {
    if (!wow64 || windowsFolder.empty() || !services::IsInFolder(path, systemFolder)) return std::wstring(path);
    while (!systemFolder.empty() && systemFolder.back() == L'\\') systemFolder.remove_suffix(1);
    return AddBackslash(windowsFolder) + L"Sysnative" + std::wstring(path.substr(systemFolder.size()));
}

}  // namespace forms
