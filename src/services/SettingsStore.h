// The per-user application settings store: text values under
// HKEY_CURRENT_USER\Software\<application>\<section>.
#pragma once
#include <string>

namespace services {

// The stored text, or defaultValue when the value is missing or not text.
std::wstring GetSetting(const std::wstring& application, const std::wstring& section, const std::wstring& key,
                        const std::wstring& defaultValue);
// Creates the key as needed; returns false when the value could not be written.
bool SaveSetting(const std::wstring& application, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value);

}  // namespace services
