// Starts tollvane.exe as a person would and observes it from outside.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "support/WinTest.h"

namespace wintest {

class Tollvane {
public:
    // tickMs: drive the monitor faster for the test by sending its timer's tick
    // (WM_TIMER) every tickMs, as the form's own timer does every 5 s (0: only the
    // real timer). The program has no switch for it. eventLog: a Unix file that
    // gets what the program reports to the event log, as Wine writes it to its
    // debug output (the program then starts through a Unix shell).
    explicit Tollvane(unsigned tickMs, const std::wstring& exePath = base::FromAnsi(BuiltProgram("tollvane.exe")),
                      const std::string& eventLog = "");
    // Closes its main window as the uninstaller would (WM_CLOSE), so its icon
    // leaves the tray, then ends the process.
    ~Tollvane();
    Tollvane(const Tollvane&) = delete;
    Tollvane& operator=(const Tollvane&) = delete;
    bool Started() const { return mainWindow_ != nullptr; }
    DWORD Pid() const { return child_.Pid(); }
    bool Running() const { return child_.Running(); }
    bool WaitExit(DWORD ms) const { return child_.WaitExit(ms); }
    HWND MainWindow() const { return mainWindow_; }
    // The main form's caption: the idle tick count once the monitor has run.
    std::string Caption() const { return WindowText(mainWindow_); }
    // Sends the tray callback message as the shell would for a mouse message.
    void TrayMouse(UINT mouseMessage) const;

    // The popup menu, driven by keyboard as a person would.
    enum MenuItem { SetDelay = 1, LogOffNow = 2, About = 3, Exit = 4 };  // Down presses to reach it
    HWND VisibleMenu() const;
    bool OpenMenu() const;
    bool Choose(MenuItem item) const;
    // The Set Delay box, once open.
    HWND InputBox() const;
    // Set Delay through the real box; returns the text the box offered.
    std::string SetDelayTo(const std::string& typed) const;
    void Kill() { child_.Kill(); }
    DWORD ExitCode() const { return child_.ExitCode(); }
    // A top-level window of this process, by class and exact title ("" = any title).
    HWND FindWindowOf(const char* className, const std::string& title = "") const;

    // The monitor's ticks, sent from a thread of the test's own.
    struct Ticker {
        HWND window;
        DWORD ms;
        base::UniqueKernelHandle stop, thread;
        ~Ticker();
    };

private:
    std::unique_ptr<UnixJob> shell_;
    Child child_;
    HWND mainWindow_ = nullptr;
    std::unique_ptr<Ticker> ticker_;
};

// The setting as stored, and ways to change it before a start.
void SetStoredDelay(const char* text);  // nullptr removes it
std::string StoredDelay();              // "" when missing

// Pixels in the tray area close to the colour (each channel within 40).
int CountTrayPixels(COLORREF colour);
// The text of the shell's visible tooltip (not a balloon); "" while none shows.
std::string ShownTip();
// The centre of the tray pixels of that colour, in screen coordinates.
POINT TrayPixelCentre(COLORREF colour);

// An event as Wine's event log stand-in wrote it to a Tollvane's eventLog file.
struct LoggedEvent {
    DWORD id = 0;
    WORD type = 0;  // EVENTLOG_INFORMATION_TYPE, _WARNING_TYPE, _ERROR_TYPE
    std::vector<std::string> inserts;
    bool operator==(const LoggedEvent&) const = default;
};
std::vector<LoggedEvent> ReadEventLog(const std::string& eventLog);

void SetIdentityValues(const char* text);  // creates the key with four REG_SZ values
bool IdentityValuesCleared();              // all four: type 9, no data

}  // namespace wintest
