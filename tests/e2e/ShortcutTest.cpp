// The Startup shortcut as the shell sees it: a real .lnk file resolved through
// the platform's own shell-link interface.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "services/mShell.h"
#include "support/Tollvane.h"
#include "base/Handles.h"
#include "base/Text.h"

namespace {

using wintest::Tollvane;

// The target of a shortcut file as the shell resolves it: through the link's item
// list, which holds every name whole (Wine keeps the link's plain-text path in the
// ANSI code page). "" when it cannot be read.
std::wstring linkTarget(const std::wstring& file) {
    base::ComPtr<IShellLinkW> link;
    wchar_t target[MAX_PATH] = {};
    LPITEMIDLIST items = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.put()))))
        return target;
    auto persist = link.as<IPersistFile>(IID_IPersistFile);
    if (persist && SUCCEEDED(persist->Load(file.c_str(), STGM_READ)) && SUCCEEDED(link->GetIDList(&items)) && items) {
        SHGetPathFromIDListW(items, target);
        CoTaskMemFree(items);
    }
    return target;
}

class Shortcut : public testing::Test {
protected:
    void SetUp() override { DeleteFileW(services::StartupShortcutPath().c_str()); }
    base::ComApartment com;
};

// The installer puts the program under the user's own profile, so a user name the
// ANSI code page cannot spell ends up in the target.
TEST_F(Shortcut, AProgramFolderNamedOutsideTheAnsiCodePageIsTheTargetLetterForLetter) {
    const std::wstring name = L"Tollvane-\x03A9\x03BC\x03AD\x03B3\x03B1";  // Greek omega, mu, epsilon, gamma, alpha
    BOOL unspellable = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0, nullptr, &unspellable);
    ASSERT_TRUE(unspellable) << "code page " << GetACP() << " spells Greek: this test needs one that cannot";
    char local[MAX_PATH] = {};  // not the temporary folder, from which the program writes no shortcut
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    const std::wstring outside = base::FromAnsi(std::string(local) + "\\tollvane-wide-" + std::to_string(GetTickCount()));
    const std::wstring folder = outside + L"\\" + name, exe = folder + L"\\tollvane.exe";
    ASSERT_TRUE(CreateDirectoryW(outside.c_str(), nullptr) && CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(base::FromAnsi(wintest::BuiltProgram("tollvane.exe")).c_str(), exe.c_str(), FALSE));
    Tollvane t(0, exe);
    ASSERT_TRUE(t.Started());
    const std::wstring lnk = services::StartupShortcutPath();  // deleted before each test, as a person may
    EXPECT_NE(lnk.find(L"Shortcut to Tollvane.lnk"), std::wstring::npos);
    // Made while the program loads, just after its main window appears.
    ASSERT_TRUE(wintest::WaitUntil([&] { return GetFileAttributesW(lnk.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000));
    wintest::Pump(100);
    const std::wstring target = linkTarget(lnk);
    EXPECT_EQ(lstrcmpiW(target.c_str(), exe.c_str()), 0) << base::ToAnsi(target);
    EXPECT_NE(GetFileAttributesW(target.c_str()), INVALID_FILE_ATTRIBUTES) << "the target does not exist";
}

// Windows runs a program opened inside a zip from a copy in the temporary
// folder, which it empties later: that copy runs but writes no shortcut. Windows
// XP names the temporary folder by its short name, the program by its long one.
TEST_F(Shortcut, ACopyRunFromTheTemporaryFolderWritesNone) {
    const std::string temp = wintest::TempFolder("temporary");
    char shortTemp[MAX_PATH] = {}, ownTemp[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(temp.c_str(), shortTemp, MAX_PATH), 0u);
    ASSERT_NE(temp, shortTemp);
    const std::string copy = temp + "\\tollvane.exe";
    ASSERT_TRUE(CopyFileA(wintest::BuiltProgram("tollvane.exe").c_str(), copy.c_str(), FALSE));
    GetEnvironmentVariableA("TMP", ownTemp, MAX_PATH);
    SetEnvironmentVariableA("TMP", shortTemp);  // the program's, inherited
    Tollvane t(0, base::FromAnsi(copy));
    SetEnvironmentVariableA("TMP", ownTemp[0] ? ownTemp : nullptr);
    ASSERT_TRUE(t.Started());
    wintest::Pump(1000);
    EXPECT_TRUE(t.Running());
    EXPECT_EQ(GetFileAttributesW(services::StartupShortcutPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// On a German or Japanese Windows XP the Startup folder is named in the system's
// language ("Startmenü\Programme\Autostart", "スタートアップ"): the shortcut goes
// where the shell says, by its whole name, in any code page.
TEST_F(Shortcut, AStartupFolderNamedInAnotherLanguageGetsTheShortcut) {
    wintest::LentRegValue userFolder(HKEY_CURRENT_USER, std::string(kExplorer) + "User Shell Folders", "Startup");
    wintest::LentRegValue shellFolder(HKEY_CURRENT_USER, std::string(kExplorer) + "Shell Folders", "Startup");
    const std::wstring menu = base::FromAnsi(wintest::TempFolder("localised")) + L"\\Startmen\x00FC",
                       startup = menu + L"\\\x30B9\x30BF\x30FC\x30C8\x30A2\x30C3\x30D7";
    ASSERT_TRUE(CreateDirectoryW(menu.c_str(), nullptr) && CreateDirectoryW(startup.c_str(), nullptr));
    for (const char* key : {"User Shell Folders", "Shell Folders"}) {
        const std::wstring name = base::FromAnsi(std::string(kExplorer) + key);
        HKEY folders = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &folders, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(folders, L"Startup", 0, REG_SZ, reinterpret_cast<const BYTE*>(startup.c_str()),
                       static_cast<DWORD>((startup.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(folders);
    }
    const std::wstring lnk = services::StartupShortcutPath();
    ASSERT_EQ(lnk, startup + L"\\Shortcut to Tollvane.lnk");
    Tollvane t(0);
    ASSERT_TRUE(t.Started());
    ASSERT_TRUE(wintest::WaitUntil([&] { return GetFileAttributesW(lnk.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000));
    wintest::Pump(100);
    EXPECT_EQ(lstrcmpiW(linkTarget(lnk).c_str(), base::FromAnsi(wintest::BuiltProgram("tollvane.exe")).c_str()), 0);
}

TEST_F(Shortcut, AStartupFolderThatCannotBeWrittenLeavesTheProgramRunning) {
    wintest::LentRegValue userFolder(HKEY_CURRENT_USER, std::string(kExplorer) + "User Shell Folders", "Startup");
    wintest::LentRegValue shellFolder(HKEY_CURRENT_USER, std::string(kExplorer) + "Shell Folders", "Startup");
    // A folder below a file can never be made.
    const std::string blocker = wintest::TempFolder("blocked") + "\\file";
    CloseHandle(CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    userFolder.Set(blocker + "\\Startup");
    shellFolder.Set(blocker + "\\Startup");
    Tollvane t(0);
    EXPECT_TRUE(t.Started());
    wintest::Pump(500);
    EXPECT_TRUE(t.Running());
}

}  // namespace
