// The window half of the information windows' helpers.
#pragma once
#include <windows.h>

#include "forms/mGlobalFunctions.h"

namespace forms {

// Puts the window into the top-most band without moving or sizing it, and
// without activating it (a window that takes activation takes the foreground).
void MakeTopmost(HWND hWnd);

}  // namespace forms
