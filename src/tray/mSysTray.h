// The window procedure that stands in for the main form's own while the icon
// is in the tray: tray callbacks and popup-menu commands become SysTray events,
// and every message then goes on to the previous procedure.
#pragma once
#include <windows.h>

#include <cstdint>

namespace tray {

class SysTray;

// Menu command identifiers that become MenuClick carry this bit; the index is
// the identifier's two lowest bits.
inline constexpr WPARAM kMenuCommandBit = 0x2000;

LRESULT CALLBACK TrayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept;
int16_t HiWord(int32_t Value);

// Installs TrayWndProc for the instance (which it does not own) and keeps the
// previous procedure; Uninstall puts that procedure back.
void InstallTrayWndProc(HWND hWnd, SysTray* instance);
void UninstallTrayWndProc(HWND hWnd);

// The message the shell broadcasts when it re-creates the taskbar.
UINT TaskbarCreatedMessage();

}  // namespace tray
