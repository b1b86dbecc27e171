// The common controls (comctl32 6, as the manifest asks), loaded when a window
// first needs them rather than as an import: loading that library registers
// every control class it has and brings the theme library in, which on a slow PC
// is the largest part of the program's start before its first window.
#pragma once
#include <windows.h>

namespace ui {

// Registers the common-control classes in `classes` (ICC_*), loading the library
// the first time. False where it could not be loaded: windows of those classes
// then fail to be made, as they would without the call.
bool UseCommonControls(DWORD classes) noexcept;

}  // namespace ui
