#include "services/SettingsStore.h"

#include <windows.h>

#include <vector>

#include "base/Handles.h"
#include "base/Text.h"

namespace services {
namespace {
std::string keyPath(const std::wstring& application, const std::wstring& section) {
    return "Software\\" + base::ToAnsi(application) + "\\" + base::ToAnsi(section);
}
}  // namespace

std::wstring GetSetting(const std::wstring& application, const std::wstring& section, const std::wstring& key,
                        const std::wstring& defaultValue) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
        ERROR_SUCCESS)
        return defaultValue;
    base::UniqueRegKey hkey(raw);
    const std::string name = base::ToAnsi(key);
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
    return base::FromAnsi(buffer.data());
}

bool SaveSetting(const std::wstring& application, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &raw, nullptr) != ERROR_SUCCESS)
        return false;
    base::UniqueRegKey hkey(raw);
    const std::string text = base::ToAnsi(value);
    return RegSetValueExA(hkey.get(), base::ToAnsi(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::optional<uint32_t> GetPolicyNumber(PolicyScope scope, const std::wstring& policyKey, const std::wstring& name) {
    // 32-bit Windows ignores the 64-bit flag.
    HKEY raw = nullptr;
    if (RegOpenKeyExA(scope == PolicyScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                      base::ToAnsi(policyKey).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &raw) != ERROR_SUCCESS)
        return std::nullopt;
    base::UniqueRegKey hkey(raw);
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExA(hkey.get(), base::ToAnsi(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

}  // namespace services
