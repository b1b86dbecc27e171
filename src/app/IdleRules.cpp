#include "app/IdleRules.h"

#include <limits>

namespace app {

int32_t WholeTicks(int64_t ms) {
    if (ms <= 0) return 0;
    const int64_t ticks = ms / kTickMs;
    return ticks > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                       : static_cast<int32_t>(ticks);
}

int32_t AddTicks(int32_t ticks, int32_t more) {
    const int64_t sum = int64_t{ticks} + more;
    return sum > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(sum);
}

bool DelayExpired(int32_t idleTicks, int32_t delayMinutes) {
    return static_cast<double>(idleTicks) / static_cast<double>(kTicksPerMinute) >= static_cast<double>(delayMinutes);
}

std::optional<int64_t> WarningDue(int32_t idleTicks, int32_t delayMinutes, int32_t warningSeconds) {
    if (idleTicks <= 0 || warningSeconds <= 0 || DelayExpired(idleTicks, delayMinutes)) return std::nullopt;
    // Not expired with a positive count means a delay of at least one minute; 64
    // bits hold the tick counts of the longest delays.
    const int64_t threshold = int64_t{kTicksPerMinute} * delayMinutes;
    const int64_t longest = int64_t{60} * delayMinutes;
    const int64_t seconds = warningSeconds < longest ? warningSeconds : longest;
    const int64_t ticksBefore = (seconds + kSecondsPerTick - 1) / kSecondsPerTick;
    const int64_t left = threshold - idleTicks;
    if (left > ticksBefore) return std::nullopt;
    return left * kSecondsPerTick;
}

TrayPicture PictureForTicks(int32_t idleTicks) {
    return (idleTicks % 2 != 0) ? TrayPicture::WatchingOdd : TrayPicture::WatchingEven;
}

}  // namespace app
