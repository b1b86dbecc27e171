#include "app/IdleMonitor.h"

namespace app {

void IdleMonitor::WatcherTick() {
    if (world_.MailClientRunning()) world_.Watch(true);
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
    world_.ShowPicture(PictureForTicks(idleTicks_));
    idleTicks_ = NextIdleTicks(idleTicks_, world_.IsIdle());
    world_.ShowCount(idleTicks_);
    if (DelayExpired(idleTicks_, delayMinutes_)) return LogOff();
    // Activity ends the warning, and so does a longer delay that policy set meanwhile.
    const auto secondsLeft = WarningDue(idleTicks_, delayMinutes_, warningSeconds_);
    if (!secondsLeft) return endWarning();
    if (warning_) return;
    warning_ = true;
    world_.ShowWarning(*secondsLeft);
}

void IdleMonitor::LogOff() {
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
