#include "services/mWebLink.h"

#include <windows.h>
#include <shellapi.h>

#include "base/Text.h"
#include "ui/Window.h"

namespace services {

void OpenWebLink(const ui::Window& Form, const std::wstring& URL) {
    ShellExecuteA(Form.hWnd(), "open", base::ToAnsi(URL).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace services
