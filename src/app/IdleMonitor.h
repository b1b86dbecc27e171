// The idle monitor's sequencing, apart from the timers and windows that drive
// it: what a watcher tick, a monitor tick and a logoff do, in which order. The
// main form supplies the operations; tests supply their own and drive the
// ticks directly.
#pragma once
#include <cstdint>

#include "app/IdleRules.h"

namespace app {

// What the monitor asks of the world. None of it waits on a clock.
class MonitorOperations {
public:
    virtual bool MailClientRunning() = 0;  // its main window exists
    virtual bool IsIdle() = 0;              // no activity since the previous call
    virtual void ClearLastIdentity() = 0;
    virtual void CloseOutlookExpress() = 0;
    virtual void ShowPicture(TrayPicture picture) = 0;
    virtual void ShowCount(int32_t idleTicks) = 0;
    // true: the monitor's timer runs and the watcher's stops; false: the reverse.
    virtual void Watch(bool on) = 0;

protected:
    ~MonitorOperations() = default;
};

// The count and the delay are the form's own; the monitor works on them.
class IdleMonitor {
public:
    IdleMonitor(int32_t& idleTicks, const int32_t& delayMinutes, MonitorOperations& world)
        : idleTicks_(idleTicks), delayMinutes_(delayMinutes), world_(world) {}

    // The watcher's tick: once the mail client is there, watch it.
    void WatcherTick();
    // The monitor's tick: the picture for the count so far, the idle test, and
    // the logoff when the delay has run out; back to waiting when the client has gone.
    void MonitorTick();
    // Clear, close, not-watching picture, wait: a logoff from the threshold or the tray.
    void LogOff();

private:
    void stopWatching();
    int32_t& idleTicks_;
    const int32_t& delayMinutes_;
    MonitorOperations& world_;
};

}  // namespace app
