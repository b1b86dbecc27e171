// The window half of the information windows' helpers.
#pragma once
#include <windows.h>

#include "forms/mGlobalFunctions.h"

namespace forms {

// Puts the window into the top-most band without moving or sizing it.
void MakeTopmost(HWND hWnd);

// The screen's dots per inch (vertical), 96 when it cannot be read.
int ScreenDpi();

}  // namespace forms
