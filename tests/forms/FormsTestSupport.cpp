#include "FormsTestSupport.h"

#include <vector>

namespace formstest {

HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour, bool deviceDependent) {
    BITMAPINFO info{};
    info.bmiHeader = {static_cast<DWORD>(sizeof info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> bits(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            bits[static_cast<size_t>(y * width + x)] = RGB(GetBValue(c), GetGValue(c), GetRValue(c));
        }
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = nullptr;
    if (deviceDependent) {
        bitmap = CreateCompatibleBitmap(screen, width, height);
    } else {
        info.bmiHeader.biBitCount = 24;  // as the splash picture is stored
        void* dibBits = nullptr;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &dibBits, nullptr, 0);
        info.bmiHeader.biBitCount = 32;
    }
    SetDIBits(screen, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

bool PlaceRecorder(const std::string& path) {
    DeleteFileA((path + ".log").c_str());
    return CopyFileA(wintest::BuiltProgram("forms_recorder.exe").c_str(), path.c_str(), FALSE) != 0;
}

LentValue::LentValue(HKEY root, std::string key, std::string name)
    : root_(root), key_(std::move(key)), name_(std::move(name)), keyExisted_(wintest::KeyExists(root_, key_)),
      saved_(wintest::ReadRegValue(root_, key_, name_)) {}

LentValue::~LentValue() {
    if (!keyExisted_) {
        wintest::DeleteKeyTree(root_, key_);
        return;
    }
    Remove();
    HKEY k = nullptr;
    if (!saved_.exists || RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
    RegSetValueExA(k, name_.c_str(), 0, saved_.type, saved_.data.data(), static_cast<DWORD>(saved_.data.size()));
    RegCloseKey(k);
}

void LentValue::Remove() {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
    RegDeleteValueA(k, name_.c_str());
    RegCloseKey(k);
}

std::vector<std::unique_ptr<LentValue>> LendScheme(const std::string& scheme, const std::string& command) {
    std::vector<std::unique_ptr<LentValue>> lent;
    const std::string key = "Software\\Classes\\" + scheme;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        lent.push_back(std::make_unique<LentValue>(root, key, "URL Protocol"));
        lent.back()->Set("");
        lent.push_back(std::make_unique<LentValue>(root, key + "\\shell\\open\\command"));
        lent.back()->Set(command);
    }
    return lent;
}

namespace {

MessageBoxSeen* g_seen = nullptr;

BOOL CALLBACK collectButton(HWND child, LPARAM out) {
    char cls[32] = {}, text[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") != 0 || !IsWindowVisible(child)) return TRUE;
    GetWindowTextA(child, text, sizeof text);
    auto& buttons = *reinterpret_cast<std::string*>(out);
    if (!buttons.empty()) buttons += '|';
    buttons += text;
    return TRUE;
}

BOOL CALLBACK readAndClose(HWND hwnd, LPARAM) {
    char cls[32] = {}, text[512] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd) || g_seen->shown) return TRUE;
    g_seen->shown = true;
    GetWindowTextA(hwnd, text, sizeof text);
    g_seen->title = text;
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);  // a message box's text
    g_seen->text = text;
    EnumChildWindows(hwnd, collectButton, reinterpret_cast<LPARAM>(&g_seen->buttons));
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK watch(HWND, UINT, UINT_PTR, DWORD) {
    if (g_seen) EnumThreadWindows(GetCurrentThreadId(), readAndClose, 0);
}

}  // namespace

MessageBoxSeen WatchMessageBoxes(const std::function<void()>& action) {
    MessageBoxSeen seen;
    g_seen = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, watch);  // ticks inside the box's own loop too
    action();
    KillTimer(nullptr, timer);
    g_seen = nullptr;
    return seen;
}

void ScreenshotNow(const std::string& name) {
    const std::string path = wintest::ArtifactPath(name);
    DeleteFileA(path.c_str());
    wintest::Screenshot(name);
    DWORD last = 0;
    wintest::WaitUntil(
        [&] {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            const DWORD now = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
            const bool settled = now > 0 && now == last;
            last = now;
            return settled;
        },
        10000, 200);
}

}  // namespace formstest
