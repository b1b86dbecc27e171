// Text is wide inside the program and becomes ANSI (the system code page) at
// every call into an "A" entry point of the platform.
#pragma once
#include <string>
#include <string_view>

namespace base {

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

}  // namespace base
