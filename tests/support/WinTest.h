// Helpers for the Windows tests that run under Wine: child processes, waiting
// on real state, Unix tools (xdotool, import) run from inside Wine, registry
// reads, and build artifacts.
#pragma once
#include <windows.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "base/Text.h"

namespace wintest {

// A program built beside the test executable, e.g. "tollvane.exe".
std::string BuiltProgram(const std::string& exeName);

// A child process, ended (if still running) when the object goes.
class Child {
public:
    Child() = default;
    // commandLine: program path and arguments (wide: characters outside the ANSI code page).
    explicit Child(std::wstring commandLine);
    explicit Child(const std::string& commandLine) : Child(base::FromAnsi(commandLine)) {}
    // A process started some other way (through a Unix shell, say).
    static Child Open(DWORD pid);
    ~Child() { Kill(); }
    Child(Child&&) noexcept = default;
    Child& operator=(Child&&) noexcept = default;  // only ever onto an empty one

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Pid() const { return pid_; }
    bool Running() const;
    // Waits for the exit; returns false on time-out.
    bool WaitExit(DWORD ms) const;
    DWORD ExitCode() const;
    void Kill();

private:
    base::UniqueKernelHandle process_;
    DWORD pid_ = 0;
};

// Polls the condition (pumping this thread's messages) until it holds or the time runs out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs = 20);
// Pumps this thread's messages for the given time.
void Pump(DWORD ms);

// A Unix program (absolute path, e.g. "/usr/bin/xdotool") with arguments, started
// in the background: input that must keep its own pace whatever a start costs here.
class UnixJob {
public:
    UnixJob(const std::string& program, const std::string& args);
    ~UnixJob();
    UnixJob(const UnixJob&) = delete;
    UnixJob& operator=(const UnixJob&) = delete;
    bool Ended();
    // Waits (pumping this thread's messages) for the end; the exit code, or -1.
    int Wait(DWORD timeoutMs);

private:
    std::string marker_;
    Child child_;
    int code_ = -1;
};
// Runs a Unix program and returns its exit code (or -1).
int RunUnix(const std::string& program, const std::string& args, DWORD timeoutMs = 20000);
// xdotool with the given arguments on the test's X display.
int Xdo(const std::string& args);

// What a computer's standby looks like to a program: every thread of it stopped
// (SIGSTOP) while the clock goes on, until End or the object's end (SIGCONT). The
// program is the one process of this Wine world (its prefix) whose command line
// names exeName.
class Stopped {
public:
    explicit Stopped(const std::string& exeName);
    ~Stopped() { End(); }
    Stopped(const Stopped&) = delete;
    Stopped& operator=(const Stopped&) = delete;
    unsigned long UnixPid() const { return pid_; }  // 0: not exactly one such process, none stopped
    void End();

private:
    unsigned long pid_ = 0;
};
// A Unix path as this Wine world's drive Z: names it.
std::string WindowsPathOf(const std::string& unixPath);
// /tmp/tollvane-<tag>-<run><pid>: a name in /tmp of this test process alone.
std::string UnixTempName(const std::string& tag);

// A screenshot of the whole X display into the artifacts folder.
void Screenshot(const std::string& name);
// A figure a test measured, for the record: printed, and added to measured.txt in
// the artifacts folder (which the emulated PC gives back, passing or not).
void Measured(const std::string& what, unsigned long value, const char* unit = "ms");
// A fresh temporary folder (Windows path, no trailing backslash).
std::string TempFolder(const std::string& tag);
std::string ReadFileText(const std::string& path);

// Top-level windows of a class that belong to a process (0: any process).
std::vector<HWND> TopLevelWindows(const char* className, DWORD pid = 0);
// Another process's window text (asked with WM_GETTEXT).
std::string WindowText(HWND hwnd);

// Pixels as a person sees them: colours (0x00BBGGRR), rows from the top.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> colours;
};
// The pixels of a 32-bit top-down DIB (0x00RRGGBB).
Pixels DibPixels(const uint32_t* bits, int width, int height);
// What `draw` leaves on a top-down 32-bit DIB of that size, selected into a memory DC.
Pixels DrawnPixels(int width, int height, const std::function<void(HDC)>& draw);
// The screen's pixels in a rectangle.
Pixels ScreenPixels(const RECT& r);
// Where a colour shows (each channel within `tolerance`), bounds inclusive, and how often.
struct Box {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, count = 0;
};
Box FindColour(const Pixels& pixels, COLORREF colour, int tolerance = 0);

// This process's live GDI objects. The platform's own counter is a stub in Wine,
// so every handle index is asked (Wine accepts an index without its generation).
int GdiObjectCount();
// Windows of this thread, top-level and child.
int WindowCount();

struct RegValue {
    bool exists = false;
    DWORD type = 0;
    std::vector<unsigned char> data;
};
RegValue ReadRegValue(HKEY root, const std::string& subKey, const std::string& name);
bool KeyExists(HKEY root, const std::string& subKey);
void DeleteKeyTree(HKEY root, const std::string& subKey);
void WriteRegValue(HKEY root, const std::string& subKey, const std::string& name, DWORD type,
                   const std::vector<unsigned char>& data);  // creates the key if needed
void WriteRegString(HKEY root, const std::string& subKey, const std::string& name, const std::string& value);
void DeleteRegValue(HKEY root, const std::string& subKey, const std::string& name);
// Leaves everyone only the right to read the key and to delete it; false where
// the platform still lets a value be set in it.
bool MakeReadOnly(HKEY root, const std::string& subKey);

// Runs `action`, which opens a modal loop on this thread (a dialog box or a popup
// menu). Timer ticks inside that loop hand the first dialog box of this process
// to `answer`, which is to close it; a menu is ended.
void AnswerModal(const std::function<void()>& action, const std::function<void(HWND box)>& answer);

// A registry value (default: the key's unnamed one) lent to a test: whatever the
// test does to it, it is put back as it was found (a key that was not there is
// removed) when the object goes, since the prefix may be a real machine's.
class LentRegValue {
public:
    LentRegValue(HKEY root, std::string subKey, std::string name = "");
    ~LentRegValue();
    LentRegValue(const LentRegValue&) = delete;
    LentRegValue& operator=(const LentRegValue&) = delete;
    void Set(const std::string& text) { WriteRegString(root_, key_, name_, text); }
    void Remove() { DeleteRegValue(root_, key_, name_); }

private:
    HKEY root_;
    std::string key_, name_;
    bool keyExisted_;
    RegValue saved_;
};

}  // namespace wintest
