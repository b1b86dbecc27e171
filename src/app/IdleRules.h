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

// The count after a tick: one more when idle (it never wraps), 0 on activity.
int32_t NextIdleTicks(int32_t ticks, bool idle);

// idleTicks / 12.0 >= delayMinutes, compared in floating point.
bool DelayExpired(int32_t idleTicks, int32_t delayMinutes);

// Seconds a monitor tick stands for: twelve to the minute.
inline constexpr int kSecondsPerTick = 60 / kTicksPerMinute;

// The warning before a logoff, for the count a tick has just reached: the seconds
// left until the logoff when the count stands within warningSeconds of it (the
// warning never longer than the delay, so at the first idle tick when the delay is
// that short), nothing otherwise: no idle count, no warning wanted, or the delay
// already run out.
std::optional<int32_t> WarningDue(int32_t idleTicks, int32_t delayMinutes, int32_t warningSeconds);

// A setting an administrator may fix: the machine's policy value wins over the
// user's, and either over the person's own. A policy value outside [min, max] is
// as good as none.
struct PolicyValues {
    std::optional<uint32_t> machine;
    std::optional<uint32_t> user;
};
struct ChosenSetting {
    int32_t value;
    bool byPolicy;
};
ChosenSetting ChooseSetting(const PolicyValues& policy, int32_t own, int32_t min, int32_t max);

// The tray's pictures, and which watching one it shows for the count before a tick.
enum class TrayPicture { NotWatching, WatchingEven, WatchingOdd };
TrayPicture PictureForTicks(int32_t idleTicks);

}  // namespace app
