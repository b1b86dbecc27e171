#include "app/IdleMonitor.h"

#include <algorithm>
#include <utility>

namespace app {

void IdleMonitor::WatcherTick() {
    if (!world_.MailClientRunning()) return;
    lastSample_ = world_.Now();
    idleSince_ = lastSample_ - mIdleTicks * kTickMs;
    world_.Watch(true);
}

void IdleMonitor::MonitorTick() {
    if (!world_.MailClientRunning()) {
        // Closed by hand: its remembered identity goes too. The count stays.
        world_.ClearLastIdentity();
        endWarning();
        stopWatching();
        return;
    }
    // The count as it stood before this tick: the pictures alternate while the
    // person is away and stay on the even one while they are active.
    world_.ShowPicture(PictureForTicks(mIdleTicks));
    const int64_t now = world_.Now();
    const int64_t previousSample = std::exchange(lastSample_, now);
    const bool idle = world_.IsIdle();
    // Idle: the one tick this is at least (a timer on time may come a little
    // early), and every whole tick of the time that really passed.
    // Active: the stretch ended at the input; when that came only after the delay
    // had run out (the key that woke the computer, say), it belongs to whoever
    // came next, not to the person who went away.
    const int32_t reached =
        idle ? std::max(AddTicks(mIdleTicks, 1), WholeTicks(now - idleSince_)) : ticksBeforeInput(now, previousSample);
    mIdleTicks = idle ? reached : 0;
    if (!idle) idleSince_ = now;
    world_.ShowCount(mIdleTicks);
    if (DelayExpired(reached, settings_.delayMinutes)) return LogOff(LogoffReason::Idle, reached / kTicksPerMinute);
    // Activity ends the warning, and so does a longer delay that policy set meanwhile.
    const auto secondsLeft = WarningDue(mIdleTicks, settings_.delayMinutes, settings_.warningSeconds);
    if (!secondsLeft) return endWarning();
    // Shown at the first tick of its time, and counting down at every later one.
    warning_ = true;
    world_.ShowWarning(*secondsLeft);
}

int32_t IdleMonitor::ticksBeforeInput(int64_t now, int64_t previousSample) {
    const std::optional<uint32_t> age = world_.InputAgeMs();
    if (!age) return 0;
    const int64_t inputAt = now - *age;
    // Input from before the previous sample, or while the monitor waited, ended nothing here.
    if (inputAt <= previousSample) return 0;
    return WholeTicks(inputAt - idleSince_);
}

void IdleMonitor::Resumed() {
    const int32_t reached = std::max(mIdleTicks, WholeTicks(world_.Now() - idleSince_));
    if (!DelayExpired(reached, settings_.delayMinutes)) return;
    mIdleTicks = reached;
    world_.ShowCount(mIdleTicks);
    LogOff(LogoffReason::Resume, reached / kTicksPerMinute);
}

void IdleMonitor::LogOff(LogoffReason why, int32_t idleMinutes) {
    world_.LoggingOff(why, idleMinutes);
    world_.ClearLastIdentity();
    world_.CloseOutlookExpress();
    // Only after the logoff: taking the warning away must not hold it up.
    endWarning();
    stopWatching();
}

void IdleMonitor::endWarning() {
    if (!warning_) return;
    warning_ = false;
    world_.EndWarning();
}

void IdleMonitor::stopWatching() {
    world_.ShowPicture(TrayPicture::NotWatching);
    world_.Watch(false);
}

}  // namespace app
