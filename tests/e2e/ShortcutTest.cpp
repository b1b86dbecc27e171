// The Startup shortcut as the shell sees it: a real .lnk file resolved through
// the platform's own shell-link interface.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "services/mShell.h"
#include "support/Tollvane.h"
#include "ui/Handles.h"
#include "ui/Text.h"

namespace {

using wintest::Tollvane;

struct Link {
    bool exists = false;
    std::string path;
    std::string arguments;
};

Link readLink(const std::wstring& file) {
    Link out;
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return out;
    out.exists = true;
    ui::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.put()))))
        return out;
    auto file_ = link.as<IPersistFile>(IID_IPersistFile);
    if (!file_ || FAILED(file_->Load(file.c_str(), STGM_READ))) return out;
    char buffer[MAX_PATH] = {};
    link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    out.path = buffer;
    buffer[0] = '\0';
    link->GetArguments(buffer, MAX_PATH);
    out.arguments = buffer;
    return out;
}

bool samePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// The shortcut is made while the program loads, just after its main window appears.
Link awaitLink(const std::wstring& file) {
    wintest::WaitUntil([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000);
    wintest::Pump(100);
    return readLink(file);
}

class Shortcut : public testing::Test {
protected:
    void SetUp() override { DeleteFileW(services::StartupShortcutPath().c_str()); }
    ui::ComApartment com;
};

TEST_F(Shortcut, EveryStartPointsTheShortcutAtTheRunningCopyWithNoArguments) {
    const std::wstring lnk = services::StartupShortcutPath();
    ASSERT_FALSE(lnk.empty());
    EXPECT_NE(lnk.find(L"Shortcut to Tollvane.lnk"), std::wstring::npos);
    {
        Tollvane t(0);
        ASSERT_TRUE(t.Started());
        Link link = awaitLink(lnk);
        ASSERT_TRUE(link.exists);
        EXPECT_TRUE(samePath(link.path, wintest::BuiltProgram("tollvane.exe"))) << link.path;
        EXPECT_EQ(link.arguments, "");
    }
    // Started from another folder, and with the shortcut deleted by the person.
    DeleteFileW(lnk.c_str());
    const std::string copy = wintest::TempFolder("copy") + "\\tollvane.exe";
    ASSERT_TRUE(CopyFileA(wintest::BuiltProgram("tollvane.exe").c_str(), copy.c_str(), FALSE));
    Tollvane moved(0, copy);
    ASSERT_TRUE(moved.Started());
    Link link = awaitLink(lnk);
    ASSERT_TRUE(link.exists);
    EXPECT_TRUE(samePath(link.path, copy)) << link.path;
}

TEST_F(Shortcut, RemovingLeavesNoShortcut) {
    services::SetStartupShortcut(true);
    EXPECT_TRUE(readLink(services::StartupShortcutPath()).exists);
    services::SetStartupShortcut(false);
    EXPECT_FALSE(readLink(services::StartupShortcutPath()).exists);
}

TEST_F(Shortcut, AStartupFolderThatCannotBeWrittenLeavesTheProgramRunning) {
    constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
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
