// Opening a web address with the program the platform associates with it.
#pragma once

#include <windows.h>

#include <string>

namespace services {

// Opens URL with its associated program (normally the default browser), on
// behalf of the form whose window is given: it owns whatever the platform
// shows. A launch that fails (no associated program, an address that cannot
// be opened) is not reported.
void OpenWebLink(HWND Form, const std::wstring& URL);

}  // namespace services
