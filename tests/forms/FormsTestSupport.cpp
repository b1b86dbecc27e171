#include "FormsTestSupport.h"

#include <vector>

#include "support/WinTest.h"

namespace formstest {

HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour, bool deviceDependent) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<unsigned char> bits(stride * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            unsigned char* p = &bits[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = nullptr;
    if (deviceDependent) {
        bitmap = CreateCompatibleBitmap(screen, width, height);
        SetDIBits(screen, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
    } else {
        void* dibBits = nullptr;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &dibBits, nullptr, 0);
        if (bitmap) std::copy(bits.begin(), bits.end(), static_cast<unsigned char*>(dibBits));
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

HostForm::~HostForm() { Unload(); }

bool HostForm::CreateFormWindow() {
    ui::Window::ClassInfo cls{"TollvaneFormsTestHost"};
    ui::Window::CreateInfo info;
    info.title = "forms test host";
    info.x = 10;
    info.y = 10;
    info.width = 300;
    info.height = 200;
    return Create(cls, info);
}

bool PlaceRecorder(const std::string& path) {
    DeleteFileA((path + ".log").c_str());
    return CopyFileA(wintest::BuiltProgram("forms_recorder.exe").c_str(), path.c_str(), FALSE) != 0;
}

std::string RecorderLog(const std::string& path) { return wintest::ReadFileText(path + ".log"); }

bool WaitForRecorder(const std::string& path, DWORD timeoutMs) {
    return wintest::WaitUntil([&] { return !RecorderLog(path).empty(); }, timeoutMs);
}

void ScreenshotNow(const std::string& name) {
    const std::string path = wintest::ArtifactPath(name);
    DeleteFileA(path.c_str());
    wintest::Screenshot(name);
    auto size = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0u;
    };
    DWORD last = 0;
    wintest::WaitUntil(
        [&] {
            const DWORD now = size();
            const bool settled = now > 0 && now == last;
            last = now;
            return settled;
        },
        10000, 200);
}

SavedValue::SavedValue(const char* key, const char* name) : key_(key), name_(name) {
    const wintest::RegValue saved = wintest::ReadRegValue(HKEY_LOCAL_MACHINE, key_, name_);
    existed_ = saved.exists;
    type_ = saved.type;
    data_.assign(saved.data.begin(), saved.data.end());
    Remove();
}

SavedValue::~SavedValue() {
    Remove();
    if (!existed_) return;
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(k, name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                   static_cast<DWORD>(data_.size()));
    RegCloseKey(k);
}

void SavedValue::Remove() {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
    RegDeleteValueA(k, name_.c_str());
    RegCloseKey(k);
}

void SavedValue::Set(const std::string& text) { wintest::WriteRegString(HKEY_LOCAL_MACHINE, key_, name_, text); }

SchemeHandler::SchemeHandler(const std::string& scheme, const std::string& commandLine)
    : key_("Software\\Classes\\" + scheme) {
    const std::string command = key_ + "\\shell\\open\\command";
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        Saved s{root, wintest::KeyExists(root, key_), false, {}};
        const wintest::RegValue old = wintest::ReadRegValue(root, command, "");
        s.commandExisted = old.exists;
        s.command.assign(old.data.begin(), old.data.end());
        while (!s.command.empty() && s.command.back() == '\0') s.command.pop_back();
        if (!s.keyExisted) {
            wintest::WriteRegString(root, key_, "", "URL:test handler");
            wintest::WriteRegString(root, key_, "URL Protocol", "");
        }
        wintest::WriteRegString(root, command, "", commandLine);
        saved_.push_back(s);
    }
}

SchemeHandler::~SchemeHandler() {
    for (const Saved& s : saved_) {
        if (!s.keyExisted) {
            wintest::DeleteKeyTree(s.root, key_);
        } else if (s.commandExisted) {
            wintest::WriteRegString(s.root, key_ + "\\shell\\open\\command", "", s.command);
        } else {
            wintest::DeleteKeyTree(s.root, key_ + "\\shell\\open\\command");
        }
    }
}

namespace {

MessageBoxSeen* g_seen = nullptr;

BOOL CALLBACK collectButton(HWND child, LPARAM out) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") == 0 && IsWindowVisible(child)) {
        auto& buttons = *reinterpret_cast<std::string*>(out);
        char text[64] = {};
        GetWindowTextA(child, text, sizeof text);
        if (!buttons.empty()) buttons += "|";
        buttons += text;
    }
    return TRUE;
}

BOOL CALLBACK closeDialog(HWND hwnd, LPARAM) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd) || !g_seen || g_seen->shown) return TRUE;
    g_seen->shown = true;
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    g_seen->title = text;
    // The message box's text is its static control 0xFFFF.
    text[0] = '\0';
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
    g_seen->text = text;
    EnumChildWindows(hwnd, collectButton, reinterpret_cast<LPARAM>(&g_seen->buttons));
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK watch(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), closeDialog, 0); }

}  // namespace

MessageBoxSeen WatchMessageBoxes(const std::function<void()>& action) {
    MessageBoxSeen seen;
    g_seen = &seen;
    // A thread timer keeps ticking inside the message box's own loop.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, watch);
    action();
    KillTimer(nullptr, timer);
    g_seen = nullptr;
    return seen;
}

}  // namespace formstest
