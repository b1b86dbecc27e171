#include "app/IdleMonitor.h"

namespace app {

void IdleMonitor::WatcherTick() {
    if (world_.MailClientRunning()) world_.Watch(true);
}

void IdleMonitor::MonitorTick() {
    if (!world_.MailClientRunning()) {
        // Closed by hand: its remembered identity goes too. The count stays.
        world_.ClearLastIdentity();
        stopWatching();
        return;
    }
    // The count as it stood before this tick: the pictures alternate while the
    // person is away and stay on the even one while they are active.
    world_.ShowPicture(PictureForTicks(idleTicks_));
    idleTicks_ = NextIdleTicks(idleTicks_, world_.IsIdle());
    world_.ShowCount(idleTicks_);
    if (DelayExpired(idleTicks_, delayMinutes_)) LogOff();
}

void IdleMonitor::LogOff() {
    world_.ClearLastIdentity();
    world_.CloseOutlookExpress();
    stopWatching();
}

void IdleMonitor::stopWatching() {
    world_.ShowPicture(TrayPicture::NotWatching);
    world_.Watch(false);
}

}  // namespace app
