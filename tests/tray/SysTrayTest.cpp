// The tray icon class and its window procedure, in process, against a real
// window, real messages and Wine's real notification area.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "resource.h"
#include "support/WinTest.h"
#include "tray/SysTray.h"
#include "tray/mSysTray.h"

namespace {

// A form of ours whose own handler records what reaches it.
class Form : public ui::Window {
public:
    std::vector<UINT> seen;
    bool Make() {
        CreateInfo info;
        info.style = WS_POPUP;
        info.width = info.height = 1;
        return Create(ClassInfo{"TrayTestForm"}, info);
    }
    void Close() { Destroy(); }

protected:
    LRESULT OnMessage(UINT m, WPARAM w, LPARAM l) override {
        if (m == WM_COMMAND || m == WM_NULL || m == tray::WM_TRAYNOTIFY || m == WM_APP) seen.push_back(m);
        return Window::OnMessage(m, w, l);
    }
};

struct Recorder : tray::SysTrayEvents {
    std::vector<std::string> events;
    std::unique_ptr<tray::SysTray>* releaseOnMenuClick = nullptr;
    bool throwOnMenuClick = false;
    void MenuClick(int16_t& index) override {
        events.push_back("menu " + std::to_string(index));
        if (releaseOnMenuClick) releaseOnMenuClick->reset();
        if (throwOnMenuClick) throw std::runtime_error("menu");
    }
};

class Tray : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Make());
        form = window.hWnd();
        icon = ui::Picture::FromIconResource(IDI_NOT_WATCHING, 16);
        remake(Shell_NotifyIconA);
    }
    // A new instance in the tray that calls the shell through notify.
    void remake(tray::ShellNotify notify) {
        tray.reset();
        tray = std::make_unique<tray::SysTray>(window, recorder, notify);
        tray->SetTrayIcon(icon);
        tray->SetInTray(true);
    }
    void TearDown() override {
        tray.reset();
        window.Close();
    }

    Form window;
    HWND form = nullptr;
    std::vector<UINT>& seenByForm = window.seen;
    Recorder recorder;
    std::unique_ptr<tray::SysTray> tray;
    ui::Picture icon;
};

// The tray's procedure is called through the system's frames: a handler that
// throws loses its own event only, and the message still reaches the form.
// Menu commands carry bit 8192 and the item in their two lowest bits; other
// commands and messages pass by. Subclassing twice would save the tray's own
// procedure as the form's, and releasing the instance would not restore the form.
TEST_F(Tray, AThrowingMenuHandlerLosesOnlyItsClickAndReleasingTheInstanceInsideItsEventRestoresTheForm) {
    recorder.throwOnMenuClick = true;
    SendMessageA(form, WM_COMMAND, 0x2001, 0);
    recorder.throwOnMenuClick = false;
    SendMessageA(form, WM_COMMAND, 0x2004, 0);                 // 8196: the two lowest bits give 0
    SendMessageA(form, WM_COMMAND, 0x0001, 0);                 // no bit 8192
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(0x2001, 1), 0);  // an accelerator or notification
    SendMessageA(form, WM_APP, 0, 0);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"menu 1", "menu 0"}));
    tray->SetInTray(true);  // no second subclassing
    recorder.releaseOnMenuClick = &tray;
    SendMessageA(form, WM_COMMAND, 0x2003, 0);
    EXPECT_FALSE(tray);
    EXPECT_EQ(GetWindowLongPtrA(form, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ui::Window::StaticProc));
    SendMessageA(form, WM_COMMAND, 0x2001, 0);  // nothing reaches the gone instance
    EXPECT_EQ(recorder.events.size(), 3u);
    // Every message reached the form, the releasing one included.
    const UINT c = WM_COMMAND;
    EXPECT_EQ(seenByForm, (std::vector<UINT>{c, c, c, c, WM_APP, c, c}));
}

// At logon the shell may refuse the first adds (it is not up yet): the icon is
// added again on a timer until the shell takes it.
int refusalsLeft = 0;
BOOL WINAPI refusingShell(DWORD op, PNOTIFYICONDATAA record) {
    if (op == NIM_ADD && refusalsLeft > 0) return --refusalsLeft, FALSE;
    return Shell_NotifyIconA(op, record);
}

TEST_F(Tray, AnAddTheShellRefusesIsTriedAgainUntilTheIconIsThere) {
    refusalsLeft = 3;
    remake(refusingShell);
    auto inTray = [&] {  // the shell's own answer: only an icon it holds can be modified
        NOTIFYICONDATAA r = tray::MakeNotifyRecord(form, 0);
        return Shell_NotifyIconA(NIM_MODIFY, &r) != FALSE;
    };
    EXPECT_FALSE(inTray());
    EXPECT_TRUE(wintest::WaitUntil(inTray, 3 * tray::kAddRetryMs + 2000));
    EXPECT_EQ(refusalsLeft, 0);
}

// The tray loads its pictures at the small-icon size of the screen's scale: each
// is drawn at 16, 20, 24 and 32 pixels, so none is stretched up to 200 %.
TEST(TrayPictures, AreDrawnForEverySmallIconSizeUpTo200Percent) {
    for (int id : {IDI_NOT_WATCHING, IDI_WATCHING_EVEN, IDI_WATCHING_ODD}) {
        HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
        ASSERT_TRUE(found) << id;
        auto* directory = static_cast<BYTE*>(LockResource(LoadResource(nullptr, found)));
        for (int size : {16, 20, 24, 32}) {
            const int image = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
            HRSRC entry = FindResourceA(nullptr, MAKEINTRESOURCEA(image), RT_ICON);
            ASSERT_TRUE(entry) << id << " " << size;
            const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, entry)));
            EXPECT_EQ(header->biWidth, size) << id;
        }
    }
}

}  // namespace
