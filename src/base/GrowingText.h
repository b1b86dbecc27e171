// Text from a system call that writes into a caller's buffer and tells how much
// room it needs when the buffer is too small (GetLongPathNameW,
// ExpandEnvironmentStringsW, GetModuleFileNameW, ...): the buffer grows until
// the whole text fits.
#pragma once
#include <windows.h>

#include <string>

namespace base {

// call(buffer, size) writes at most size characters, its closing NUL included,
// and returns the text's length when it fitted, a number of characters at least
// size when it did not (the buffer then grows to that, and at least doubles), or
// 0 when it failed: then the result is "".
template <class Call>
std::wstring GrowingText(Call call) {
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const size_t n = call(text.data(), static_cast<DWORD>(text.size()));
        if (n == 0) return {};
        if (n < text.size()) {
            text.resize(n);
            return text;
        }
        text.resize(n > text.size() * 2 ? n : text.size() * 2);
    }
}

}  // namespace base
