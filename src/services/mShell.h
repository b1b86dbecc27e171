// The shortcut in the user's Startup folder that starts the program at every logon.
#pragma once
#include <windows.h>

#include <string>

namespace services {

inline constexpr wchar_t kShortcutName[] = L"Shortcut to Tollvane";

// Create true: a shortcut named "Shortcut to Tollvane" to the running program,
// with no arguments, in the Startup folder (replacing one that is there); none
// while the program runs from inside the temporary folder (as Windows runs a
// program opened inside a zip), which is emptied later, and none while a
// shortcut in the all-users Startup folder starts this same program (a
// machine-wide install), whose own one of that name is then removed.
// Create false: no such shortcut is left. Returns a failure only where a
// shortcut was wanted and could not be written (the Startup folder unknown, the
// file refused), S_OK otherwise.
HRESULT SetStartupShortcut(bool Create);

// The parts, for callers that need to find the shortcut.
std::wstring StartupShortcutPath();  // empty when the Startup folder is unknown
// The running program's folder, "\", its file name without extension, ".exe".
std::wstring ShortcutTarget();
// The file a shortcut file starts, as the shell resolves it; "" when it cannot
// be read. COM must be initialised on the calling thread.
std::wstring LinkTarget(const std::wstring& shortcutFile);

}  // namespace services
