// Waiting for the mail client: the system tells the watcher of its main window.
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "support/MailClient.h"

namespace {

TEST(Watcher, TheMonitorStartsWhenTheMainWindowAppearsWhereThePollCouldNotHaveFoundIt) {
    app::FrmMain& f = app::frmMain();
    f.Load();
    ASSERT_TRUE(f.IsLoaded());
    const UINT poll = f.Timer2.Interval();
    f.Timer2.SetInterval(3600000);  // an hour: within this test only the window's event can tell
    ASSERT_FALSE(f.Timer1.Enabled());
    wintest::MailClient mail({});
    ASSERT_TRUE(mail.Ready());
    EXPECT_TRUE(wintest::WaitUntil([&] { return f.Timer1.Enabled(); }, 3000));
    EXPECT_FALSE(f.Timer2.Enabled());
    f.Timer2.SetInterval(poll);
    f.Unload();
}

}  // namespace
