#include "support/Tollvane.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

#include "app/frmMain.h"
#include "resource.h"
#include "ui/Language.h"

namespace wintest {
namespace {
const char* const kIdentityValues[] = {"Last UserName", "Last User ID", "Default User ID", "Start As"};
constexpr char kSettings[] = "Software\\Tollvane\\Settings";

DWORD WINAPI tick(void* param) {
    const auto* t = static_cast<const Tollvane::Ticker*>(param);
    // Sent, not posted: like a real timer's, a tick never queues up behind a slow
    // one, which on a slow PC would leave the program nothing but ticks to handle.
    DWORD_PTR answer = 0;
    while (WaitForSingleObject(t->stop.get(), t->ms) == WAIT_TIMEOUT)
        SendMessageTimeoutA(t->window, WM_TIMER, app::kTimer1Id, 0, SMTO_NORMAL, 10000, &answer);
    return 0;
}

// The notification area: the right end of the taskbar at the bottom of the desktop.
RECT TrayArea() {
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    return RECT{w - 200, h - 24, w, h};
}

void press(HWND w, WPARAM key) {
    PostMessageA(w, WM_KEYDOWN, key, 0);
    PostMessageA(w, WM_KEYUP, key, 0xC0000000);
}
}  // namespace

Tollvane::Tollvane(unsigned tickMs, const std::wstring& exePath, const std::string& eventLog) {
    const std::vector<HWND> before = TopLevelWindows("TollvaneMainForm");
    if (eventLog.empty()) {
        child_ = Child(L"\"" + exePath + L"\"");
        if (!child_.Started()) return;
    } else {
        // Wine writes its debug channels to the Unix standard error, which a Windows
        // parent cannot hand a child: a shell starts the program with its own.
        shell_ = std::make_unique<UnixJob>("WINEDEBUG=-all,+eventlog,fixme+advapi",
                                           "wine '" + base::ToAnsi(exePath) + "' 2>" + eventLog);
    }
    WaitUntil(
        [&] {
            for (HWND w : TopLevelWindows("TollvaneMainForm", child_.Pid()))
                if (std::find(before.begin(), before.end(), w) == before.end()) mainWindow_ = w;
            return mainWindow_ != nullptr;
        },
        10000);
    if (mainWindow_ && shell_) {
        DWORD pid = 0;
        GetWindowThreadProcessId(mainWindow_, &pid);
        child_ = Child::Open(pid);
    }
    if (!mainWindow_ || tickMs == 0) return;
    ticker_.reset(
        new Ticker{mainWindow_, tickMs, base::UniqueKernelHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr)), {}});
    ticker_->thread.reset(CreateThread(nullptr, 0, tick, ticker_.get(), 0, nullptr));
}

Tollvane::Ticker::~Ticker() {
    SetEvent(stop.get());
    if (thread) WaitForSingleObject(thread.get(), INFINITE);
}

Tollvane::~Tollvane() {
    ticker_.reset();
    // Its icon leaves the tray with the main window; a process younger than its
    // splash screen's two seconds would live on until the splash goes.
    if (child_.Running() && mainWindow_) {
        PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
        WaitUntil([&] { return !IsWindow(mainWindow_); }, 3000);
    }
}

HWND Tollvane::FindWindowOf(const char* className, const std::string& title) const {
    for (HWND h : TopLevelWindows(className, child_.Pid()))
        if (title.empty() || WindowText(h) == title) return h;
    return nullptr;
}

std::string ShownTip() {
    for (HWND tip : TopLevelWindows("tooltips_class32"))
        if (IsWindowVisible(tip) && (GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON) == 0) return WindowText(tip);
    return "";
}

int CountTrayPixels(COLORREF colour) { return FindColour(ScreenPixels(TrayArea()), colour, 39).count; }

POINT TrayPixelCentre(COLORREF colour) {
    const RECT area = TrayArea();
    const Box b = FindColour(ScreenPixels(area), colour, 39);
    if (b.count == 0) return POINT{-1, -1};
    return POINT{area.left + (b.left + b.right) / 2, area.top + (b.top + b.bottom) / 2};
}

void Tollvane::TrayMouse(UINT mouseMessage) const {
    PostMessageA(mainWindow_, WM_USER + 101, 0, static_cast<LPARAM>(mouseMessage));
}

HWND Tollvane::VisibleMenu() const {
    for (HWND h : TopLevelWindows("#32768", Pid()))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

bool Tollvane::OpenMenu() const {
    TrayMouse(WM_RBUTTONDOWN);
    return WaitUntil([&] { return VisibleMenu() != nullptr; }, 5000);
}

bool Tollvane::Choose(MenuItem item) const {
    if (!OpenMenu()) return false;
    HWND menu = VisibleMenu();
    for (int i = 0; i < item; ++i) press(menu, VK_DOWN);
    press(menu, VK_RETURN);
    return WaitUntil([&] { return VisibleMenu() == nullptr; }, 5000);
}

HWND Tollvane::InputBox() const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindWindowOf("#32770", ui::AnsiText(IDS_DELAY_TITLE))) != nullptr; }, 5000);
    return box;
}

std::string Tollvane::SetDelayTo(const std::string& typed) const {
    if (!Choose(SetDelay)) return "<no menu>";
    HWND box = InputBox();
    if (!box) return "<no box>";
    HWND edit = GetDlgItem(box, 1001);
    const std::string offered = WindowText(edit);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    // The box is gone before the program has stored what it read: a message sent to
    // the main window is answered only once the command has run to its end.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    return offered;
}

void SetStoredDelay(const char* text) {
    if (text)
        WriteRegString(HKEY_CURRENT_USER, kSettings, "DelayMinutes", text);
    else
        DeleteRegValue(HKEY_CURRENT_USER, kSettings, "DelayMinutes");
}

std::string StoredDelay() {
    RegValue v = ReadRegValue(HKEY_CURRENT_USER, kSettings, "DelayMinutes");
    if (!v.exists) return "";
    std::string s(v.data.begin(), v.data.end());
    while (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
}

// Wine's ReportEventW names the event in a FIXME line of its own channel, then
// writes each insert to the eventlog channel:
//   fixme:advapi:ReportEventW (handle,0x0004,0x0000,0x40000064,sid,0x0003,...): stub
//   trace:eventlog:ReportEventW L"1.0.0"
std::vector<LoggedEvent> ReadEventLog(const std::string& eventLog) {
    std::vector<LoggedEvent> events;
    std::istringstream text(ReadFileText(WindowsPathOf(eventLog)));
    for (std::string line; std::getline(text, line);) {
        if (const size_t at = line.find(":advapi:ReportEventW ("); at != std::string::npos) {
            std::vector<std::string> fields;
            std::istringstream args(line.substr(at + 22));
            for (std::string field; std::getline(args, field, ',');) fields.push_back(field);
            if (fields.size() < 6) continue;
            events.push_back({static_cast<DWORD>(std::stoul(fields[3], nullptr, 16)),
                              static_cast<WORD>(std::stoul(fields[1], nullptr, 16)),
                              {}});
        } else if (const size_t quote = line.find(":eventlog:ReportEventW L\""); quote != std::string::npos) {
            if (events.empty()) continue;
            // debugstr_w: the text in quotes, with backslashes and quotes escaped.
            std::string insert;
            const std::string quoted = line.substr(quote + 25);
            for (size_t i = 0; i + 1 < quoted.size(); ++i) insert += quoted[i] == '\\' ? quoted[++i] : quoted[i];
            events.back().inserts.push_back(insert);
        }
    }
    return events;
}

void SetIdentityValues(const char* text) {
    for (const char* name : kIdentityValues) WriteRegString(HKEY_CURRENT_USER, "Identities", name, text);
}

bool IdentityValuesCleared() {
    for (const char* name : kIdentityValues) {
        RegValue v = ReadRegValue(HKEY_CURRENT_USER, "Identities", name);
        if (!v.exists || v.type != 9 || !v.data.empty()) return false;
    }
    return true;
}

}  // namespace wintest
