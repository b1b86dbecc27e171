// The warning before an idle logoff: a small window of our own in the corner
// beside the notification area, with the warning icon and the seconds left.
//
// Why not the icon's balloon: from Windows Vista on the shell keeps a balloon up
// only for the accessibility setting's time (5 s unless changed), whatever the
// program asks; it queues and rate-limits balloons, and holds them back in quiet
// hours, presentation mode and while a program runs full screen. Shown again at
// every tick it would still come late, or not at all, and never stay. A window of
// ours stays as long as we say on every Windows from XP on; it never activates
// (WS_EX_NOACTIVATE, there since Windows 2000), so it takes no keyboard focus, and
// it stands beneath a program that fills its screen instead of covering it.
#pragma once
#include <windows.h>

#include <string>

#include "base/Handles.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace tray {

inline constexpr char kWarningClass[] = "TollvaneWarning";
// While the warning is up the system's last-input time is read this often, so that
// it goes within a second of input rather than at the monitor's next 5-second tick.
// Only while it is up: waiting costs nothing.
inline constexpr UINT kInputCheckMs = 250;

class WarningWindow final : public ui::Window {
public:
    // owner: the program's main window, created by the time the warning first shows.
    // Owned, the warning gets no taskbar button (Wine gives tool windows one too).
    explicit WarningWindow(const ui::Window& owner);
    // Shows the text, announced to screen readers as an alert, or puts it in place
    // of the text showing. Never activates the window.
    void Show(const std::wstring& text);
    // Takes the warning away (also done by the window itself at any input).
    void Hide();
    // The window goes (the program is ending).
    void Close() noexcept { Destroy(); }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool create();
    // Size from the text, place in the work area's bottom-right corner.
    void place();
    void paint(HDC dc);
    void checkInput();

    const ui::Window& owner_;
    std::wstring text_;
    base::UniqueFont font_;
    DWORD inputAtShow_ = 0;  // the system's last-input time when it appeared
    bool showing_ = false;
    ui::Timer inputCheck_;
};

}  // namespace tray
