#include "services/SettingsStore.h"

#include <windows.h>

#include <vector>

#include "ui/Handles.h"
#include "ui/Text.h"

namespace services {
namespace {
std::string keyPath(const std::wstring& application, const std::wstring& section) {
    return "Software\\" + ui::ToAnsi(application) + "\\" + ui::ToAnsi(section);
}
}  // namespace

std::wstring GetSetting(const std::wstring& application, const std::wstring& section, const std::wstring& key,
                        const std::wstring& defaultValue) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
        ERROR_SUCCESS)
        return defaultValue;
    ui::UniqueRegKey hkey(raw);
    const std::string name = ui::ToAnsi(key);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(hkey.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return defaultValue;
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(hkey.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return defaultValue;
    buffer[size] = '\0';  // stored text need not carry its own terminator
    return ui::FromAnsi(buffer.data());
}

bool SaveSetting(const std::wstring& application, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    ui::UniqueRegKey hkey(raw);
    const std::string text = ui::ToAnsi(value);
    return RegSetValueExA(hkey.get(), ui::ToAnsi(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace services
