#include "app/DelaySetting.h"

#include "app/Settings.h"

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
// What an input method types on an East Asian system ("１５", "２．９"): the
// full-width digits and signs as their plain forms, which the conversion reads.
std::wstring plainDigits(const std::wstring& text) {
    constexpr DWORD kFold = MAP_FOLDCZONE | MAP_FOLDDIGITS;
    const int size = static_cast<int>(text.size());
    const int needed = FoldStringW(kFold, text.c_str(), size, nullptr, 0);
    if (needed <= 0) return text;
    std::wstring plain(static_cast<size_t>(needed), L'\0');
    if (FoldStringW(kFold, text.c_str(), size, plain.data(), needed) != needed) return text;
    return plain;
}
}  // namespace

int32_t DelayFromStoredText(const std::wstring& text) { return storedNumber(text, 1, kDefaultDelayMinutes); }

int32_t WarningFromStoredText(const std::wstring& text) { return storedNumber(text, 0, kDefaultWarningSeconds); }

std::optional<int32_t> DelayFromTypedText(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    double value = 0;
    const std::wstring plain = plainDigits(text);
    if (FAILED(VarR8FromStr(const_cast<OLECHAR*>(plain.c_str()), LOCALE_USER_DEFAULT, 0, &value))) return std::nullopt;
    const double whole = std::floor(value);
    if (!(whole >= 1.0 && whole <= 2147483647.0)) return std::nullopt;
    return static_cast<int32_t>(whole);
}

std::wstring DelayToText(int32_t minutes) { return std::to_wstring(minutes); }

}  // namespace app
