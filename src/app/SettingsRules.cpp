#include "app/Settings.h"

namespace app {

ChosenSetting ChooseSetting(const PolicyValues& policy, int32_t own, int32_t min, int32_t max) {
    for (const std::optional<uint32_t>& value : {policy.machine, policy.user}) {
        if (value && *value >= static_cast<uint32_t>(min) && *value <= static_cast<uint32_t>(max))
            return {static_cast<int32_t>(*value), true};
    }
    return {own, false};
}

}  // namespace app
