// The monitor's sequencing, tick by tick, against a world that records what it
// was asked to do.
#include <gtest/gtest.h>

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
    std::vector<std::string> log;  // what changed the world, in order
    bool MailClientRunning() override { return running; }
    bool IsIdle() override { return idle; }
    void ClearLastIdentity() override { log.push_back("clear"); }
    void CloseOutlookExpress() override { log.push_back("close"); }
    void ShowPicture(TrayPicture p) override {
        log.push_back(p == TrayPicture::NotWatching ? "cross" : p == TrayPicture::WatchingOdd ? "odd" : "even");
    }
    void ShowCount(int32_t) override {}
    void Watch(bool on) override { watching = on, log.push_back(on ? "watch" : "wait"); }
    void ShowWarning(int32_t seconds) override { log.push_back("warn " + std::to_string(seconds)); }
    void EndWarning() override { log.push_back("end warning"); }
    std::vector<std::string> take() { return std::exchange(log, {}); }
};

class Monitor : public testing::Test {
protected:
    int32_t ticks = 0, delay = 1, warning = 0;
    World world;
    IdleMonitor monitor{ticks, delay, warning, world};
    // The monitor's ticks while watching, as its timer would give them.
    void tick(int n = 1) {
        for (int i = 0; i < n && world.watching; ++i) monitor.MonitorTick();
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
    delay = 2;
    tick(23);
    EXPECT_EQ(ticks, 23);
    EXPECT_EQ(world.log.size(), 23u) << "only pictures so far: no warning when it is switched off";
    EXPECT_EQ(world.log[0] + world.log[1] + world.log[2], "evenoddeven");  // by the count before each tick
    world.take();
    tick();
    EXPECT_EQ(world.take(), (Log{"odd", "clear", "close", "cross", "wait"}));
    EXPECT_EQ(ticks, 24) << "a logoff leaves the count as it is";
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

class Warning : public Monitor {
protected:
    void SetUp() override { warning = 30, world.running = true, world.watching = true; }
};

// Once at the warning point, ended by activity, and again after the count has
// started over: the logoff does not come while the person keeps coming back.
TEST_F(Warning, ShowsOnceAtTheWarningPointAndActivityEndsItAndStartsTheCountAgain) {
    tick(5);
    EXPECT_TRUE(warnings().empty());
    tick();
    EXPECT_EQ(warnings(), Log{"warn 30"});
    tick(4);
    EXPECT_TRUE(warnings().empty()) << "one warning per idle stretch";
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
    world.watching = true, ticks = 0;
    tick(7);
    world.running = false;
    world.take();
    tick();
    EXPECT_EQ(world.take(), (Log{"clear", "end warning", "cross", "wait"}));
    EXPECT_EQ(ticks, 7) << "the client gone leaves the count as it is";
    monitor.LogOff();
    EXPECT_EQ(world.take(), (Log{"clear", "close", "cross", "wait"}));
}

}  // namespace
}  // namespace app
