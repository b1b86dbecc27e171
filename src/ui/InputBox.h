// The input box: a modal dialog with a prompt, one line of text, OK and Cancel,
// centred on the screen. Owned by `owner`, so it closes with it.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

inline constexpr int kInputBoxEditId = 1001;
inline constexpr int kInputBoxPromptId = 1002;

// The text entered, or "" when the person cancelled (or the box went away).
std::wstring InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title, const std::wstring& initial);

}  // namespace ui
