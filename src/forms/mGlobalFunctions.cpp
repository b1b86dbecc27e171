#include "forms/mGlobalFunctions.h"

namespace forms {

std::wstring AddBackslash(std::wstring_view path) {
    while (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
    std::wstring out(path);
    out.push_back(L'\\');
    return out;
}

}  // namespace forms
