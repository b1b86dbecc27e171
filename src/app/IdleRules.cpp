#include "app/IdleRules.h"

#include <limits>

namespace app {

int32_t NextIdleTicks(int32_t ticks, bool idle) {
    if (!idle) return 0;
    return ticks == std::numeric_limits<int32_t>::max() ? ticks : ticks + 1;
}

bool DelayExpired(int32_t idleTicks, int32_t delayMinutes) {
    return static_cast<double>(idleTicks) / static_cast<double>(kTicksPerMinute) >= static_cast<double>(delayMinutes);
}

TrayPicture PictureForTicks(int32_t idleTicks) {
    return (idleTicks % 2 != 0) ? TrayPicture::WatchingOdd : TrayPicture::WatchingEven;
}

}  // namespace app
