// The window half of the information windows' helpers.
#pragma once
#include <windows.h>

#include "forms/mGlobalFunctions.h"

namespace forms {

// Puts the window into the top-most band without moving or sizing it.
void MakeTopmost(HWND hWnd);

}  // namespace forms
