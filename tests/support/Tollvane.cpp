#include "support/Tollvane.h"

namespace wintest {
namespace {
const char* const kIdentityValues[] = {"Last UserName", "Last User ID", "Default User ID", "Start As"};
constexpr char kSettings[] = "Software\\Tollvane\\Settings";
}  // namespace

Tollvane::Tollvane(unsigned tickMs, const std::string& exePath) {
    std::vector<std::string> env;
    if (tickMs) env.push_back("TOLLVANE_TEST_TICK_MS=" + std::to_string(tickMs));
    child_ = Child("\"" + exePath + "\"", env);
    if (!child_.Started()) return;
    WaitUntil(
        [&] {
            auto w = TopLevelWindows("TollvaneMainForm", child_.Pid());
            if (!w.empty()) mainWindow_ = w.front();
            return mainWindow_ != nullptr;
        },
        10000);
}

void Tollvane::TrayMouse(UINT mouseMessage) const {
    PostMessageA(mainWindow_, WM_USER + 101, 0, static_cast<LPARAM>(mouseMessage));
}

void SetStoredDelay(const char* text) {
    if (!text) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "DelayMinutes");
            RegCloseKey(key);
        }
        return;
    }
    WriteRegString(HKEY_CURRENT_USER, kSettings, "DelayMinutes", text);
}

std::string StoredDelay() {
    RegValue v = ReadRegValue(HKEY_CURRENT_USER, kSettings, "DelayMinutes");
    if (!v.exists) return "";
    std::string s(v.data.begin(), v.data.end());
    while (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
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
