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

// The stored text converted as the platform converts text to a 32-bit integer
// (halves round to even: "2.5" is 2, "3.5" is 4). Text that does not convert,
// or a delay of 0 or less, gives the default: such a delay would log an active
// person off at every tick.
int32_t DelayFromStoredText(const std::wstring& text);

// The typed text read as a number, its integer part taken toward minus
// infinity; only 1 to 2147483647 is a delay, anything else is none.
std::optional<int32_t> DelayFromTypedText(const std::wstring& text);

// The decimal text that is stored for a delay.
std::wstring DelayToText(int32_t minutes);

}  // namespace app
