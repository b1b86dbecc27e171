// Writes one named value under a registry key that already exists.
#pragma once
#include <windows.h>

#include <string>

namespace services {

// Removes one leading backslash from the caller's SubKey, opens the key for
// setting values (never creating it) and writes the value. Returns the status
// of the write, or 0 when no write was attempted (empty path, null root, key
// missing or not openable).
LONG SetKeyValue(HKEY hKey, std::wstring& SubKey, const std::wstring& ValueName, const std::wstring& Data,
                 LONG ValueType);

}  // namespace services
