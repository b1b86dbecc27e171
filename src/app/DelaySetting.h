// The idle delay as text: the stored setting and what a person types into
// Set Delay, both read as the platform reads numbers in the user's locale.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace app {

inline constexpr int32_t kDefaultDelayMinutes = 10;
// Where the delay is kept: application, section and key of the settings store.
inline constexpr wchar_t kSettingsApplication[] = L"Tollvane";
inline constexpr wchar_t kSettingsSection[] = L"Settings";
inline constexpr wchar_t kDelayKey[] = L"DelayMinutes";
// Seconds of warning before a logoff, kept beside the delay; 0 switches it off.
inline constexpr wchar_t kWarningKey[] = L"WarningSeconds";
inline constexpr int32_t kDefaultWarningSeconds = 30;
// Where an administrator fixes both, under HKEY_LOCAL_MACHINE and then
// HKEY_CURRENT_USER, as REG_DWORD values of the same names.
inline constexpr wchar_t kPolicyKey[] = L"Software\\Policies\\Tollvane";
// What a policy value may be: a delay Set Delay would take; any warning, which
// never lasts longer than the delay in any case.
inline constexpr int32_t kMinPolicyDelay = 1;
inline constexpr int32_t kMinPolicyWarning = 0;
inline constexpr int32_t kMaxPolicyValue = 2147483647;

// The stored text converted as the platform converts text to a 32-bit integer
// (halves round to even: "2.5" is 2, "3.5" is 4). Text that does not convert,
// or a delay of 0 or less, gives the default: such a delay would log an active
// person off at every tick.
int32_t DelayFromStoredText(const std::wstring& text);

// The stored warning read the same way; text that does not convert, or a
// negative number, gives the default.
int32_t WarningFromStoredText(const std::wstring& text);

// The typed text read as a number, its integer part taken toward minus
// infinity; only 1 to 2147483647 is a delay, anything else is none. Full-width
// digits and signs, as an East Asian input method types them, count as digits.
std::optional<int32_t> DelayFromTypedText(const std::wstring& text);

// The decimal text that is stored for a delay.
std::wstring DelayToText(int32_t minutes);

}  // namespace app
