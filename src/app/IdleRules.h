// The idle monitor's arithmetic, free of the platform so it can be checked
// directly: what counts as idle, how ticks add up, when the delay has run out.
#pragma once
#include <cstdint>
#include <optional>

namespace app {

// Monitor ticks per minute. Fixed: it does not follow the tick interval.
inline constexpr int kTicksPerMinute = 12;
// Virtual-key codes asked about at every tick: mouse buttons and every key.
inline constexpr int kFirstKeyCode = 1;
inline constexpr int kLastKeyCode = 256;

// What the previous tick saw.
struct ActivityMemory {
    int32_t x = 0;  // the cursor; 0, 0 at start
    int32_t y = 0;
    std::optional<uint32_t> inputTime;  // the system's last-input time, once read
};

// True when the cursor stands where it stood at the previous call, the system's
// last-input time (when it can be read) is the one seen then, and no key or
// button reports anything. The input time catches what neither the cursor nor
// the keys show: a turned mouse wheel, touch and pen, and a key pressed and
// released between two ticks whose "pressed since" bit another program took.
// Keys are asked in ascending order and the asking stops at the first that reports.
template <class KeyState>
bool IsIdleWith(ActivityMemory& last, int32_t x, int32_t y, std::optional<uint32_t> inputTime, KeyState&& keyState) {
    bool idle = true;
    if (x != last.x) {
        last.x = x;
        idle = false;
    }
    if (y != last.y) {
        last.y = y;
        idle = false;
    }
    if (inputTime) {
        if (last.inputTime && *last.inputTime != *inputTime) idle = false;
        last.inputTime = inputTime;
    }
    for (int code = kFirstKeyCode; code <= kLastKeyCode; ++code) {
        if (static_cast<int16_t>(keyState(code)) != 0) return false;
    }
    return idle;
}

// Idle time is kept on the system's millisecond clock, the one that goes on
// while the computer sleeps and that nobody can set: a sample that comes late
// (the computer slept, the program was stopped or starved) counts for the time
// that really passed. The count stays in ticks, twelve to the minute.
inline constexpr int64_t kTickMs = 5000;

// The whole ticks in a stretch of time on the clock: 0 for none, never more
// than the count can hold.
int32_t WholeTicks(int64_t ms);

// The count plus more ticks; it never wraps.
int32_t AddTicks(int32_t ticks, int32_t more);

// idleTicks / 12.0 >= delayMinutes, compared in floating point.
bool DelayExpired(int32_t idleTicks, int32_t delayMinutes);

// Seconds a monitor tick stands for: twelve to the minute.
inline constexpr int kSecondsPerTick = 60 / kTicksPerMinute;

// The warning before a logoff, for the count a tick has just reached: the seconds
// left until the logoff when the count stands within warningSeconds of it (the
// warning never longer than the delay, so at the first idle tick when the delay is
// that short), nothing otherwise: no idle count, no warning wanted, or the delay
// already run out. The longest delays leave more seconds than 32 bits hold.
std::optional<int64_t> WarningDue(int32_t idleTicks, int32_t delayMinutes, int32_t warningSeconds);

// The system's 32-bit millisecond count wraps after 49.7 days; this makes its
// readings into one that does not, for a Windows without the 64-bit count. Any
// reading below the one before is a wrap, so it must be read at least once in
// every 49.7 days.
class UnwrappedTicks {
public:
    int64_t operator()(uint32_t reading) {
        if (reading < last_) wraps_ += int64_t{1} << 32;
        last_ = reading;
        return wraps_ + reading;
    }

private:
    uint32_t last_ = 0;
    int64_t wraps_ = 0;
};

// The tray's pictures, and which watching one it shows for the count before a tick.
enum class TrayPicture { NotWatching, WatchingEven, WatchingOdd };
TrayPicture PictureForTicks(int32_t idleTicks);

}  // namespace app
