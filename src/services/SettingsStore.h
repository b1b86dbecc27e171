// The per-user application settings store: text values under
// HKEY_CURRENT_USER\Software\<application>\<section>.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace services {

// The stored text, or defaultValue when the value is missing or not text.
std::wstring GetSetting(const std::wstring& application, const std::wstring& section, const std::wstring& key,
                        const std::wstring& defaultValue);
// Creates the key as needed; returns false when the value could not be written.
bool SaveSetting(const std::wstring& application, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value);

// A number an administrator set: the REG_DWORD value under policyKey of the
// machine's part of the registry or the current user's; nothing when it is
// missing or of another type. The machine's is read from the 64-bit registry
// where there is one, where Group Policy writes it for every program.
enum class PolicyScope { Machine, User };
std::optional<uint32_t> GetPolicyNumber(PolicyScope scope, const std::wstring& policyKey, const std::wstring& name);

}  // namespace services
