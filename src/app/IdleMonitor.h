// The idle monitor's sequencing, apart from the timers and windows that drive
// it: what a watcher tick, a monitor tick and a logoff do, in which order. The
// main form supplies the operations; tests supply their own and drive the
// ticks directly.
#pragma once
#include <cstdint>
#include <optional>

#include "app/IdleRules.h"
#include "app/Settings.h"

namespace app {

// Why a logoff came: the delay ran out, it had run out when the computer came
// back from a sleep, or the person asked for it from the tray.
enum class LogoffReason { Idle, Resume, LogOffNow, DoubleClick };

// What the monitor asks of the world. None of it waits.
class MonitorOperations {
public:
    virtual bool MailClientRunning() = 0;  // its main window exists
    virtual bool IsIdle() = 0;             // no activity since the previous call
    // Milliseconds on a clock that goes on while the computer sleeps and that
    // nobody can set.
    virtual int64_t Now() = 0;
    // How long ago the system saw its last input, where it can tell.
    virtual std::optional<uint32_t> InputAgeMs() = 0;
    virtual void ClearLastIdentity() = 0;
    virtual void CloseOutlookExpress() = 0;
    virtual void ShowPicture(TrayPicture picture) = 0;
    virtual void ShowCount(int32_t idleTicks) = 0;
    // true: the monitor's timer runs and the watcher's stops; false: the reverse.
    virtual void Watch(bool on) = 0;
    // The warning before a logoff, secondsLeft before it, at every tick of its
    // time (the first shows it, each later one the new count), and its end. A
    // world that shows none need not answer.
    virtual void ShowWarning(int64_t secondsLeft) { (void)secondsLeft; }
    virtual void EndWarning() {}
    // A logoff begins, for this reason, after this many whole minutes without
    // input (0 for one the person asked for).
    virtual void LoggingOff(LogoffReason why, int32_t idleMinutes) { (void)why, (void)idleMinutes; }

protected:
    ~MonitorOperations() = default;
};

// The monitor keeps its idle count; the settings it works with are handed to it.
class IdleMonitor {
public:
    explicit IdleMonitor(MonitorOperations& world) : world_(world) {}
    // The delay and the warning from now on (policy may change them while it watches).
    void SetSettings(const MonitorSettings& settings) noexcept { settings_ = settings; }
    // Consecutive idle ticks so far. A logoff, or the mail client closing, leaves it as it is.
    int32_t IdleTicks() const noexcept { return mIdleTicks; }

    // The watcher's tick: once the mail client is there, watch it.
    void WatcherTick();
    // The monitor's tick: the picture for the count so far, the idle test, the
    // warning once its time has come (ended by activity), and the logoff when the
    // delay has run out; back to waiting when the client has gone.
    void MonitorTick();
    // The computer is back from standby or hibernation, while watching: when the
    // person had been away for the delay before it slept, log off now, whatever
    // input woke it; otherwise the ticks go on as ever.
    void Resumed();
    // Clear, close, not-watching picture, wait: a logoff from the threshold or the tray.
    void LogOff(LogoffReason why = LogoffReason::LogOffNow, int32_t idleMinutes = 0);

private:
    void stopWatching();
    void endWarning();
    // The whole ticks from the start of the idle stretch to the input that ended
    // it, seen by a sample taken at `now`; 0 where the system cannot tell, or for
    // input from before the previous sample.
    int32_t ticksBeforeInput(int64_t now, int64_t previousSample);
    int32_t mIdleTicks = 0;
    MonitorSettings settings_;
    bool warning_ = false;  // shown, and not yet ended
    // On the clock: when the current idle stretch began (the count carried from an
    // earlier stretch of watching counted back from the start of this one; time
    // spent waiting for the mail client is not idle time the monitor saw), and the
    // previous sample, or the start of watching.
    int64_t idleSince_ = 0;
    int64_t lastSample_ = 0;
    MonitorOperations& world_;
};

}  // namespace app
