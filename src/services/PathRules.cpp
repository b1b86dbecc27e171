#include "services/PathRules.h"

#include <algorithm>

namespace services {
namespace {

// The paths compared here come from the system, which spells a folder the same
// way each time but for the case of its ASCII letters ("C:\WINDOWS\system32").
wchar_t folded(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }
bool sameLetter(wchar_t a, wchar_t b) { return folded(a) == folded(b); }

}  // namespace

bool IsInFolder(std::wstring_view path, std::wstring_view folder) {
    while (!folder.empty() && folder.back() == L'\\') folder.remove_suffix(1);
    if (folder.empty() || path.size() < folder.size()) return false;
    if (!std::equal(folder.begin(), folder.end(), path.begin(), sameLetter)) return false;
    return path.size() == folder.size() || path[folder.size()] == L'\\';
}

// Every character counts: "C:\x\\" is no name of "C:\x\y", though that is inside the folder it names.
bool SamePath(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameLetter);
}

}  // namespace services
