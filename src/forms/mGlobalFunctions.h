// Small helpers shared by the information windows. This half is platform-free;
// MakeTopmost, which needs a window, is in mGlobalFunctionsWin.h.
#pragma once
#include <string>
#include <string_view>

namespace forms {

// The folder path with exactly one trailing backslash: every trailing "\" is
// dropped and one is appended, so "", "\" and "\\\" all give "\".
std::wstring AddBackslash(std::wstring_view path);

// Form positions are designed in twips, 1440 to the inch (15 to the pixel at
// 96 dots per inch); this is the nearest pixel count at the given resolution.
constexpr int TwipsToPixels(int twips, int dpi) noexcept {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

}  // namespace forms
