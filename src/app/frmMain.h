// The invisible main form: it owns the monitor's two timers, the three tray
// pictures, the tray icon (IconEvent), the popup menu and the delay, and its
// window is the one the tray icon and the popup menu talk to.
#pragma once
#include <cstdint>
#include <memory>

#include "app/IdleMonitor.h"
#include "app/Settings.h"
#include "app/mOEStuff.h"
#include "base/Handles.h"
#include "tray/SysTray.h"
#include "tray/WarningWindow.h"
#include "ui/Form.h"
#include "ui/Picture.h"
#include "ui/Timer.h"

namespace app {

inline constexpr char kMainFormClass[] = "TollvaneMainForm";
// The form's timers: the watcher's slow poll and the monitor.
inline constexpr UINT_PTR kTimer2Id = 2;
inline constexpr UINT_PTR kTimer1Id = 1;

class FrmMain final : public ui::Form, private tray::SysTrayEvents, private MonitorOperations {
public:
    FrmMain();
    ~FrmMain() override;

    bool mHideOnMinimize = false;
    bool mTrayMade = false;
    HMENU mhMenu = nullptr;
    std::unique_ptr<tray::SysTray> IconEvent;

    ui::Timer Timer2;
    ui::Timer Timer1;
    ui::Picture Image3;                  // not watching (red cross)
    ui::Picture Image2;                  // watching, after an odd count
    ui::Picture Image1;                  // watching, after an even count
    ui::Picture Icon;                    // the form's own icon, the application icon
    tray::WarningWindow Warning{*this};  // before an idle logoff

    // Monitor ticks; public so tests can drive them.
    void Timer1_Timer();
    void Timer2_Timer();
    // A window of another process was created or shown: the watcher looks at once.
    void WindowAppeared(HWND hwnd);

    // Tray side (frmMainTray.cpp).
    void MakeTray();
    void TrayResize();
    void LogOffNow(LogoffReason why = LogoffReason::LogOffNow);

protected:
    bool CreateFormWindow() override;
    void OnLoad() override;      // Form_Load
    void OnActivate() override;  // Form_Activate
    void OnResize() override;    // Form_Resize
    void OnUnload() override;    // Form_Unload
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // SysTray's events.
    void MouseDown(int16_t& Button, int32_t& ID) override;
    void MouseDblClick(int16_t& Button, int32_t& ID) override;
    void MenuClick(int16_t& index) override;
    void IconNotAdded() override;

    // What the idle monitor asks of the form and the platform.
    bool MailClientRunning() override;
    bool IsIdle() override;
    int64_t Now() override;
    std::optional<uint32_t> InputAgeMs() override;
    void ClearLastIdentity() override;
    void CloseOutlookExpress() override;
    void ShowPicture(TrayPicture picture) override;
    void ShowCount(int32_t idleTicks) override;
    void Watch(bool on) override;
    void ShowWarning(int64_t secondsLeft) override;
    void EndWarning() override;
    void LoggingOff(LogoffReason why, int32_t idleMinutes) override;
    // A logoff's closing is over: the event log hears why it came and how it went.
    void LogoffEnded(const ClosingResult& closing);

    // The settings in force handed to the monitor: at start, after Set Delay, and
    // whenever Windows announces changed policy.
    void ApplySettings();
    void SetDelayFromInputBox();

    Settings settings_;
    IdleClock clock_;
    LogoffReason logoffWhy_ = LogoffReason::LogOffNow;
    int32_t logoffIdleMinutes_ = 0;
    // A key that refuses writes refuses them at every logoff and every closing by
    // hand: reported once, until a clearing succeeds again.
    bool identityFailureReported_ = false;
    OutlookExpressCloser closer_{*this, [this](const ClosingResult& closing) { LogoffEnded(closing); }};
    IdleMonitor monitor_{*this};
    // The system reports every window created or shown, so waiting for the mail
    // client costs nothing; Timer2's slow poll only backs it up.
    base::UniqueWinEventHook mWindowEvents;
};

// The one main form of the program; created on first use, never destroyed
// before the process ends (unloading only takes its window away).
FrmMain& frmMain();

}  // namespace app
