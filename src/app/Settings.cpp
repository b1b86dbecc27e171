#include "app/Settings.h"

#include "app/DelaySetting.h"
#include "services/SettingsStore.h"

namespace app {
namespace {

PolicyValues policyValues(const wchar_t* name) {
    using services::PolicyScope;
    return PolicyValues{services::GetPolicyNumber(PolicyScope::Machine, kPolicyKey, name),
                        services::GetPolicyNumber(PolicyScope::User, kPolicyKey, name)};
}

std::wstring stored(const wchar_t* key, int32_t fallback) {
    return services::GetSetting(kSettingsApplication, kSettingsSection, key, DelayToText(fallback));
}

}  // namespace

void Settings::Load() {
    ownDelayMinutes_ = DelayFromStoredText(stored(kDelayKey, kDefaultDelayMinutes));
    ownWarningSeconds_ = WarningFromStoredText(stored(kWarningKey, kDefaultWarningSeconds));
    ApplyPolicy();
}

void Settings::ApplyPolicy() {
    const ChosenSetting delay =
        ChooseSetting(policyValues(kDelayKey), ownDelayMinutes_, kMinPolicyDelay, kMaxPolicyValue);
    inForce_.delayMinutes = delay.value;
    delayByPolicy_ = delay.byPolicy;
    const ChosenSetting warning =
        ChooseSetting(policyValues(kWarningKey), ownWarningSeconds_, kMinPolicyWarning, kMaxPolicyValue);
    inForce_.warningSeconds = warning.value;
    warningByPolicy_ = warning.byPolicy;
}

bool Settings::SetOwnDelay(int32_t minutes) {
    if (delayByPolicy_) return false;
    ownDelayMinutes_ = minutes;
    inForce_.delayMinutes = minutes;
    services::SaveSetting(kSettingsApplication, kSettingsSection, kDelayKey, DelayToText(minutes));
    return true;
}

}  // namespace app
