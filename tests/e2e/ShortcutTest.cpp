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

// A folder of its own under the local application data folder: a program there
// is not in the temporary folder, from which it writes no shortcut.
std::wstring localFolder(const std::wstring& tag) {
    wchar_t local[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    const std::wstring folder = std::wstring(local) + L"\\" + tag + L"-" + std::to_wstring(GetTickCount());
    EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    return folder;
}

std::wstring copyOfProgram(const std::wstring& folder) {
    const std::wstring exe = folder + L"\\tollvane.exe";
    EXPECT_TRUE(CopyFileW(base::FromAnsi(wintest::BuiltProgram("tollvane.exe")).c_str(), exe.c_str(), FALSE));
    return exe;
}

bool exists(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Shortcut : public testing::Test {
protected:
    void SetUp() override { DeleteFileW(services::StartupShortcutPath().c_str()); }
    base::ComApartment com;
};

constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// Points the shell's Startup folder at folder, for as long as the lent values live.
struct LentStartupFolder {
    wintest::LentRegValue user{HKEY_CURRENT_USER, std::string(kExplorer) + "User Shell Folders", "Startup"};
    wintest::LentRegValue shell{HKEY_CURRENT_USER, std::string(kExplorer) + "Shell Folders", "Startup"};
    void PointAt(const std::wstring& folder) {
        for (const char* key : {"User Shell Folders", "Shell Folders"}) {
            HKEY folders = nullptr;
            RegCreateKeyExW(HKEY_CURRENT_USER, base::FromAnsi(std::string(kExplorer) + key).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &folders, nullptr);
            EXPECT_EQ(RegSetValueExW(folders, L"Startup", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                     static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
            RegCloseKey(folders);
        }
    }
};

// Installed for every person, the program is started at each logon by a shortcut
// in the all-users Startup folder: it keeps none of the person's own to the same
// file, which would start a second copy. A copy elsewhere writes its own, with
// names the ANSI code page cannot spell taken letter for letter: the installer
// puts the program under the user's own profile, so a user name in another script
// ends up in the target; and on a German or Japanese Windows XP the Startup folder
// itself is named in the system's language ("Startmenü\Programme\Autostart",
// "スタートアップ"), where the shortcut goes by the shell's word.
TEST_F(Shortcut, NoneOfThePersonsOwnBesideTheAllUsersOneAndACopyElsewhereIsNamedLetterForLetter) {
    const std::wstring name = L"Tollvane-\x03A9\x03BC\x03AD\x03B3\x03B1";  // Greek omega, mu, epsilon, gamma, alpha
    BOOL unspellable = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0, nullptr, &unspellable);
    ASSERT_TRUE(unspellable) << "code page " << GetACP() << " spells Greek: this test needs one that cannot";
    const std::wstring outside = localFolder(L"tollvane-wide"), folder = outside + L"\\" + name;
    const std::wstring menu = outside + L"\\Startmen\x00FC",
                       startup = menu + L"\\\x30B9\x30BF\x30FC\x30C8\x30A2\x30C3\x30D7";
    for (const std::wstring& f : {folder, menu, startup}) ASSERT_TRUE(CreateDirectoryW(f.c_str(), nullptr));
    const std::wstring elsewhere = copyOfProgram(folder), forEveryone = copyOfProgram(localFolder(L"tollvane-machine"));
    LentStartupFolder lent;
    lent.PointAt(startup);
    const std::wstring own = services::StartupShortcutPath();
    ASSERT_EQ(own, startup + L"\\Shortcut to Tollvane.lnk");
    wchar_t common[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_COMMON_STARTUP | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, common),
              S_OK);
    const std::wstring allUsers = std::wstring(common) + L"\\Tollvane test.lnk";
    auto save = [](const std::wstring& file, const std::wstring& target) {
        base::ComPtr<IShellLinkW> link;
        ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(link.put())),
                  S_OK);
        link->SetPath(target.c_str());
        ASSERT_EQ(link.as<IPersistFile>(IID_IPersistFile)->Save(file.c_str(), TRUE), S_OK);
    };
    save(allUsers, forEveryone);
    struct Removed {
        std::wstring file;
        ~Removed() { DeleteFileW(file.c_str()); }
    } removed{allUsers};
    save(own, forEveryone);  // left from a start before the machine-wide install
    {
        Tollvane t(0, forEveryone);
        ASSERT_TRUE(t.Started());
        EXPECT_TRUE(wintest::WaitUntil([&] { return !exists(own); }, 5000)) << "the person's own shortcut is left";
        wintest::Pump(1000);
        EXPECT_FALSE(exists(own)) << "the program wrote a shortcut of the person's own";
    }
    Tollvane t(0, elsewhere);
    ASSERT_TRUE(t.Started());
    // Made once the icon is up.
    ASSERT_TRUE(wintest::WaitUntil([&] { return exists(own); }, 5000));
    wintest::Pump(100);
    const std::wstring target = services::LinkTarget(own);
    EXPECT_EQ(lstrcmpiW(target.c_str(), elsewhere.c_str()), 0) << base::ToAnsi(target);
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
    EXPECT_FALSE(exists(services::StartupShortcutPath()));
}

TEST_F(Shortcut, AStartupFolderThatCannotBeWrittenLeavesTheProgramRunning) {
    LentStartupFolder lent;
    // A folder below a file can never be made.
    const std::string blocker = wintest::TempFolder("blocked") + "\\file";
    CloseHandle(CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    lent.PointAt(base::FromAnsi(blocker + "\\Startup"));
    Tollvane t(0);
    EXPECT_TRUE(t.Started());
    wintest::Pump(500);
    EXPECT_TRUE(t.Running());
}

}  // namespace
