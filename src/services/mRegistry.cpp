#include "services/mRegistry.h"

#include "base/Handles.h"
#include "base/Text.h"

namespace services {

LONG SetKeyValue(HKEY hKey, std::wstring& SubKey, const std::wstring& ValueName, const std::wstring& Data,
                 LONG ValueType) {
    if (SubKey.empty() || !hKey) return 0;
    if (SubKey.front() == L'\\') SubKey.erase(0, 1);

    HKEY raw = nullptr;
    if (RegOpenKeyExA(hKey, base::ToAnsi(SubKey).c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS || !raw) return 0;
    base::UniqueRegKey key(raw);

    // The length is that of the ANSI bytes actually written: in a multi-byte code
    // page a character count would cut the text.
    const std::string bytes = base::ToAnsi(Data);
    return RegSetValueExA(key.get(), base::ToAnsi(ValueName).c_str(), 0, static_cast<DWORD>(ValueType),
                          reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

}  // namespace services
