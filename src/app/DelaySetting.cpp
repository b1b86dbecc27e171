#include "app/DelaySetting.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>

namespace app {

namespace {
int32_t storedNumber(const std::wstring& text, int32_t least, int32_t fallback) {
    LONG value = 0;
    if (FAILED(VarI4FromStr(const_cast<OLECHAR*>(text.c_str()), LOCALE_USER_DEFAULT, 0, &value)) || value < least)
        return fallback;
    return static_cast<int32_t>(value);
}
}  // namespace

int32_t DelayFromStoredText(const std::wstring& text) { return storedNumber(text, 1, kDefaultDelayMinutes); }

int32_t WarningFromStoredText(const std::wstring& text) { return storedNumber(text, 0, kDefaultWarningSeconds); }

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
