// The program's settings, all in one place: the idle delay and the warning
// before a logoff, each the person's own (in the settings store) or an
// administrator's (policy) in its place, with their keys and limits. Choosing
// between them is platform-free; reading and writing them is the platform's.
#pragma once
#include <cstdint>
#include <optional>

namespace app {

inline constexpr int32_t kDefaultDelayMinutes = 10;
// Where the delay is kept: application, section and key of the settings store.
inline constexpr wchar_t kSettingsApplication[] = L"Tollvane";
inline constexpr wchar_t kSettingsSection[] = L"Settings";
inline constexpr wchar_t kDelayKey[] = L"DelayMinutes";
// Seconds of warning before a logoff, kept beside the delay; 0 switches it off.
inline constexpr wchar_t kWarningKey[] = L"WarningSeconds";
inline constexpr int32_t kDefaultWarningSeconds = 30;
// Where an administrator fixes both, under HKEY_LOCAL_MACHINE and then
// HKEY_CURRENT_USER, as REG_DWORD values of the same names.
inline constexpr wchar_t kPolicyKey[] = L"Software\\Policies\\Tollvane";
// What a policy value may be: a delay Set Delay would take; any warning, which
// never lasts longer than the delay in any case.
inline constexpr int32_t kMinPolicyDelay = 1;
inline constexpr int32_t kMinPolicyWarning = 0;
inline constexpr int32_t kMaxPolicyValue = 2147483647;

// A setting an administrator may fix: the machine's policy value wins over the
// user's, and either over the person's own. A policy value outside [min, max] is
// as good as none.
struct PolicyValues {
    std::optional<uint32_t> machine;
    std::optional<uint32_t> user;
};
struct ChosenSetting {
    int32_t value;
    bool byPolicy;
};
ChosenSetting ChooseSetting(const PolicyValues& policy, int32_t own, int32_t min, int32_t max);

// What the idle monitor works with.
struct MonitorSettings {
    int32_t delayMinutes = kDefaultDelayMinutes;
    int32_t warningSeconds = 0;  // 0: no warning
};

// The settings in force, read from the store and the policy.
class Settings {
public:
    // Reads the person's own values, then the policy.
    void Load();
    // Reads the policy again: Windows announces a change of it.
    void ApplyPolicy();
    const MonitorSettings& InForce() const noexcept { return inForce_; }
    bool DelayByPolicy() const noexcept { return delayByPolicy_; }
    bool WarningByPolicy() const noexcept { return warningByPolicy_; }
    // Stores the person's own delay, which is then in force; refused (false, and
    // nothing changes) while policy fixes the delay.
    bool SetOwnDelay(int32_t minutes);

private:
    int32_t ownDelayMinutes_ = kDefaultDelayMinutes;
    int32_t ownWarningSeconds_ = kDefaultWarningSeconds;
    MonitorSettings inForce_;
    bool delayByPolicy_ = false;
    bool warningByPolicy_ = false;
};

}  // namespace app
