// The idle delay as text: the stored setting and what a person types into
// Set Delay, both read as the platform reads numbers in the user's locale.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace app {

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
