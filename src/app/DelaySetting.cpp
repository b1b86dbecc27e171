#include "app/DelaySetting.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>

namespace app {

int32_t DelayFromStoredText(const std::wstring& text) {
    LONG value = 0;
    if (FAILED(VarI4FromStr(const_cast<OLECHAR*>(text.c_str()), LOCALE_USER_DEFAULT, 0, &value)) || value <= 0)
        return kDefaultDelayMinutes;
    return static_cast<int32_t>(value);
}

std::optional<int32_t> DelayFromTypedText(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    double value = 0;
    if (FAILED(VarR8FromStr(const_cast<OLECHAR*>(text.c_str()), LOCALE_USER_DEFAULT, 0, &value))) return std::nullopt;
    const double whole = std::floor(value);
    if (!(whole >= 1.0 && whole <= 2147483647.0)) return std::nullopt;
    return static_cast<int32_t>(whole);
}

std::wstring DelayToText(int32_t minutes) { return std::to_wstring(minutes); }

}  // namespace app
