#include "forms/mGlobalFunctionsWin.h"

namespace forms {

void MakeTopmost(HWND hWnd) { SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE); }

}  // namespace forms
