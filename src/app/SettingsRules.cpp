#include "app/Settings.h"

namespace app {

ChosenSetting ChooseSetting(const PolicyValues& policy, int32_t own, int32_t min, int32_t max) {
    for (const std::optional<uint32_t>& value : {policy.machine, policy.user}) {
        // Compared as numbers, not as DWORDs: a negative limit is no huge one.
        if (value && int64_t{*value} >= min && int64_t{*value} <= max) return {static_cast<int32_t>(*value), true};
    }
    return {own, false};
}

}  // namespace app
