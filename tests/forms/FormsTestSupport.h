// Shared pieces of the forms tests: crafted bitmaps, a bare form to act on
// behalf of, the stand-in program and a watcher for message boxes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Form.h"

namespace formstest {

// A 24-bit bitmap whose pixel (x, y) has colour(x, y) (a COLORREF).
// deviceDependent: a screen-compatible bitmap rather than a DIB section.
HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour, bool deviceDependent);

// A plain visible top-level form, for operations that act on behalf of one.
class HostForm final : public ui::Form {
public:
    ~HostForm() override;

protected:
    bool CreateFormWindow() override;
};

// Copies the stand-in program (it logs its command line to "<path>.log") to path.
bool PlaceRecorder(const std::string& path);
// The stand-in's log at that path: its command lines, one a line; "" when it never ran.
std::string RecorderLog(const std::string& path);
bool WaitForRecorder(const std::string& path, DWORD timeoutMs);

// A screenshot into the artifacts folder that is finished when this returns:
// the Unix tool outlives the Wine process that starts it, so without waiting
// the picture is taken some moments later, after the test has moved on.
void ScreenshotNow(const std::string& name);

// An HKEY_LOCAL_MACHINE value removed for a test and put back as it was found.
class SavedValue {
public:
    SavedValue(const char* key, const char* name);
    ~SavedValue();
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;
    void Remove();
    void Set(const std::string& text);

private:
    std::string key_, name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::string data_;
};

// The handler of a web address scheme, pointed at a command line for a test
// and put back afterwards. Windows looks in the user's classes first; Wine 8
// reads only the machine's, so both are set.
class SchemeHandler {
public:
    SchemeHandler(const std::string& scheme, const std::string& commandLine);
    ~SchemeHandler();
    SchemeHandler(const SchemeHandler&) = delete;
    SchemeHandler& operator=(const SchemeHandler&) = delete;

private:
    struct Saved {
        HKEY root;
        bool keyExisted;
        bool commandExisted;
        std::string command;
    };
    std::string key_;
    std::vector<Saved> saved_;
};

// What a message box raised by this thread said before the watcher pressed OK.
struct MessageBoxSeen {
    bool shown = false;
    std::string title;
    std::string text;
    std::string buttons;  // visible buttons' captions, joined by "|"
};
// Runs action; any message box it raises on this thread is read and closed.
MessageBoxSeen WatchMessageBoxes(const std::function<void()>& action);

}  // namespace formstest
