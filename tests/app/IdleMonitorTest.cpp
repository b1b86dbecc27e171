// The monitor's sequencing, tick by tick, against a world that records what it
// was asked to do.
#include <gtest/gtest.h>

#include <optional>

#include <string>
#include <utility>
#include <vector>

#include "app/IdleMonitor.h"

namespace app {
namespace {

struct World : MonitorOperations {
    bool running = false;
    bool idle = true;
    bool watching = false;
    int64_t now = 1000;                         // the clock, in ms
    std::optional<uint32_t> inputAge;           // how long ago the system saw input
    std::vector<std::string> log;               // what changed the world, in order
    std::pair<LogoffReason, int32_t> logoff{};  // the last logoff's reason and idle minutes
    bool MailClientRunning() override { return running; }
    bool IsIdle() override { return idle; }
    int64_t Now() override { return now; }
    std::optional<uint32_t> InputAgeMs() override { return inputAge; }
    void ClearLastIdentity() override { log.push_back("clear"); }
    void CloseOutlookExpress() override { log.push_back("close"); }
    void ShowPicture(TrayPicture p) override {
        log.push_back(p == TrayPicture::NotWatching ? "cross" : p == TrayPicture::WatchingOdd ? "odd" : "even");
    }
    void ShowCount(int32_t) override {}
    void Watch(bool on) override {
        watching = on;
        log.push_back(on ? "watch" : "wait");
    }
    void ShowWarning(int64_t seconds) override { log.push_back("warn " + std::to_string(seconds)); }
    void EndWarning() override { log.push_back("end warning"); }
    void LoggingOff(LogoffReason why, int32_t minutes) override { logoff = {why, minutes}; }
    std::vector<std::string> take() { return std::exchange(log, {}); }
};

class Monitor : public testing::Test {
protected:
    World world;
    IdleMonitor monitor{world};
    Monitor() { monitor.SetSettings({1, 0}); }  // a delay of 1 minute, no warning
    // The monitor's ticks while watching, as its timer would give them: on time,
    // or after a longer gap.
    void tick(int n = 1, int64_t gapMs = 5000) {
        for (int i = 0; i < n && world.watching; ++i) {
            world.now += gapMs;
            monitor.MonitorTick();
        }
    }
    // The mail client there, and watched.
    void start() {
        world.running = true;
        monitor.WatcherTick();
    }
    // One tick at which the person is there.
    void active() {
        world.idle = false;
        tick();
        world.idle = true;
    }
    // The warnings and their ends only.
    std::vector<std::string> warnings() {
        std::vector<std::string> out;
        for (const std::string& e : world.take())
            if (e.find("warn") != std::string::npos) out.push_back(e);
        return out;
    }
};

using Log = std::vector<std::string>;

TEST_F(Monitor, WaitsForTheMailClientLogsOffAtTheTwelfthIdleTickPerMinuteAndAgainAtOnceWithoutInput) {
    monitor.WatcherTick();
    EXPECT_TRUE(world.take().empty());  // nothing while it is not there
    world.running = true;
    monitor.WatcherTick();
    EXPECT_EQ(world.take(), Log{"watch"});
    monitor.SetSettings({2, 0});
    tick(23);
    EXPECT_EQ(monitor.IdleTicks(), 23);
    EXPECT_EQ(world.log.size(), 23u) << "only pictures so far: no warning when it is switched off";
    EXPECT_EQ(world.log[0] + world.log[1] + world.log[2], "evenoddeven");  // by the count before each tick
    world.take();
    tick();
    EXPECT_EQ(world.take(), (Log{"odd", "clear", "close", "cross", "wait"}));
    EXPECT_EQ(world.logoff, std::pair(LogoffReason::Idle, 2));
    EXPECT_EQ(monitor.IdleTicks(), 24) << "a logoff leaves the count as it is";
    // So a client started again with no input in between is logged off at the
    // first tick. Any input sets it back.
    monitor.WatcherTick();
    world.take();
    tick();
    EXPECT_EQ(world.take(), (Log{"even", "clear", "close", "cross", "wait"}));
    monitor.WatcherTick();
    world.idle = false;
    tick();
    EXPECT_TRUE(world.watching);
}

// A computer that slept, or a program that could not run, gets one late tick:
// it counts for the time that really passed. The time the monitor spent
// waiting for the mail client does not.
TEST_F(Monitor, ALateTickCountsTheTimeThatPassedButNotTheTimeSpentWaiting) {
    start();
    active();
    tick(2);
    world.take();
    tick(1, 47'000);  // asleep: 57 s idle in all, not yet the minute
    EXPECT_EQ(monitor.IdleTicks(), 11);
    EXPECT_TRUE(world.watching);
    tick(1, 4'000);  // a tick a little early stays one tick
    EXPECT_EQ(world.take(), (Log{"even", "odd", "clear", "close", "cross", "wait"}));

    // Started again with the person there, and closed by hand at a count of 3;
    // back an hour later, with no input in between: the count goes on from 3.
    monitor.WatcherTick();
    active();
    tick(3);
    world.running = false;
    tick();
    world.running = true;
    world.now += 3'600'000;
    monitor.WatcherTick();
    tick();
    EXPECT_EQ(monitor.IdleTicks(), 4);
    world.now += 3'600'000;  // nothing runs for an hour: one late tick logs off
    tick();
    EXPECT_FALSE(world.watching);
}

// The input a late tick sees ended the stretch when it came: after the delay had
// run out (the key that woke the computer) it logs off; within the delay it is
// the person coming back.
TEST_F(Monitor, InputSeenByALateTickLogsOffOnlyWhenItCameAfterTheDelay) {
    start();
    world.idle = false;
    tick();
    world.inputAge = 1'000;
    tick(1, 50'000);  // input 49 s into a 50 s gap: within the minute
    EXPECT_EQ(monitor.IdleTicks(), 0);
    tick(1, 61'000);  // the stretch began at the previous tick: 60 s before the input
    EXPECT_FALSE(world.watching);
    EXPECT_EQ(monitor.IdleTicks(), 0) << "the input was seen";
    EXPECT_EQ(world.logoff, std::pair(LogoffReason::Idle, 1)) << "the minutes before the input";
    // The system's input time unreadable, or older than the previous tick: the
    // input ends the stretch, nothing more.
    monitor.WatcherTick();
    tick();
    for (const std::optional<uint32_t> age : {std::optional<uint32_t>{}, std::optional<uint32_t>{90'000}}) {
        world.inputAge = age;
        tick(1, 80'000);
        EXPECT_TRUE(world.watching);
    }
}

// At the announced return from a sleep the logoff comes at once if the delay ran
// out meanwhile, whatever input woke the computer; otherwise nothing changes.
TEST_F(Monitor, ResumeLogsOffAtOnceOnlyWhenTheDelayRanOutInTheSleep) {
    start();
    active();
    world.now += 59'000;
    monitor.Resumed();
    EXPECT_TRUE(world.watching);
    world.now += 1'000;
    monitor.Resumed();
    EXPECT_FALSE(world.watching);
    EXPECT_EQ(monitor.IdleTicks(), 12);
    EXPECT_EQ(world.logoff, std::pair(LogoffReason::Resume, 1));
}

class Warning : public Monitor {
protected:
    void SetUp() override {
        monitor.SetSettings({1, 30});
        start();
    }
};

// At the warning point, counting down at every tick, ended by activity, and again
// after the count has started over: the logoff does not come while the person
// keeps coming back.
TEST_F(Warning, ComesAtTheWarningPointCountsDownAndActivityEndsItAndStartsTheCountAgain) {
    tick(5);
    EXPECT_TRUE(warnings().empty());
    tick();
    EXPECT_EQ(warnings(), Log{"warn 30"});
    tick(4);
    EXPECT_EQ(warnings(), (Log{"warn 25", "warn 20", "warn 15", "warn 10"}));
    world.idle = false;
    tick(2);
    EXPECT_EQ(warnings(), Log{"end warning"});
    world.idle = true;
    tick(6);
    EXPECT_EQ(warnings(), Log{"warn 30"});
    EXPECT_TRUE(world.watching);
}

// The warning goes after the logoff's own steps, so that it cannot hold them up,
// and with a client that went away; a logoff from the menu shows none.
TEST_F(Warning, EndsAfterTheLogoffAndWhenTheClientGoesAndTheMenusLogoffShowsNone) {
    tick(11);
    world.take();
    tick();
    EXPECT_EQ(world.take(), (Log{"odd", "clear", "close", "end warning", "cross", "wait"}));
    monitor.WatcherTick();
    active();
    tick(7);
    world.running = false;
    world.take();
    tick();
    EXPECT_EQ(world.take(), (Log{"clear", "end warning", "cross", "wait"}));
    EXPECT_EQ(monitor.IdleTicks(), 7) << "the client gone leaves the count as it is";
    monitor.LogOff();
    EXPECT_EQ(world.take(), (Log{"clear", "close", "cross", "wait"}));
}

}  // namespace
}  // namespace app
