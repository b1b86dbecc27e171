#include "services/mWebLink.h"

#include <windows.h>
#include <shellapi.h>

#include "base/Text.h"

namespace services {

void OpenWebLink(HWND Form, const std::wstring& URL) {
    ShellExecuteA(Form, "open", base::ToAnsi(URL).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace services
