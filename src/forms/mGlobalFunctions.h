// Small helpers shared by the information windows. This half is platform-free;
// MakeTopmost, which needs a window, is in mGlobalFunctionsWin.h.
#pragma once
#include <string>
#include <string_view>

namespace forms {

// The folder path with exactly one trailing backslash: every trailing "\" is
// dropped and one is appended, so "", "\" and "\\\" all give "\".
std::wstring AddBackslash(std::wstring_view path);

}  // namespace forms
