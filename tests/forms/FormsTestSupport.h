// Shared pieces of the forms tests: crafted bitmaps, the stand-in program,
// registry values lent to a test, a watcher for message boxes, screenshots.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/WinTest.h"

namespace formstest {

// A 24-bit bitmap whose pixel (x, y) has colour(x, y); a DIB section, or a
// screen-compatible bitmap when deviceDependent.
HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour, bool deviceDependent);

// Copies the stand-in program to path; it logs each command line it gets to "<path>.log".
bool PlaceRecorder(const std::string& path);
inline std::string RecorderLog(const std::string& path) { return wintest::ReadFileText(path + ".log"); }

// A registry value (default: the key's unnamed one) set or removed for a test
// and put back as it was found when the test ends.
class LentValue {
public:
    LentValue(HKEY root, std::string key, std::string name = "");
    ~LentValue();
    LentValue(const LentValue&) = delete;
    LentValue& operator=(const LentValue&) = delete;
    void Set(const std::string& text) { wintest::WriteRegString(root_, key_, name_, text); }
    void Remove();

private:
    HKEY root_;
    std::string key_, name_;
    bool keyExisted_;
    wintest::RegValue saved_;
};

// A web address scheme's handler set to a command line for a test, in the
// user's classes (which Windows reads first) and the machine's (all Wine 8 reads).
std::vector<std::unique_ptr<LentValue>> LendScheme(const std::string& scheme, const std::string& command);

// What a message box raised on this thread said before the watcher pressed OK.
struct MessageBoxSeen {
    bool shown = false;
    std::string title, text, buttons;  // buttons: visible captions joined by "|"
};
MessageBoxSeen WatchMessageBoxes(const std::function<void()>& action);

// A screenshot that is finished when this returns: the Unix tool outlives the
// Wine process that starts it, and would otherwise take the picture later.
void ScreenshotNow(const std::string& name);

}  // namespace formstest
