#include <gtest/gtest.h>

#include <aclapi.h>

#include <algorithm>
#include <string>

#include "FormsTestSupport.h"
#include "forms/frmAbout.h"

namespace {

class StartSysInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_.Remove();
        location_.Remove();
        ASSERT_TRUE(formstest::PlaceRecorder(msinfo32_));
    }
    static formstest::MessageBoxSeen Run() {
        return formstest::WatchMessageBoxes([] { forms::StartSysInfo(nullptr); });
    }
    static void ExpectUnavailable(const formstest::MessageBoxSeen& seen) {
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(seen.title, "Tollvane");
        EXPECT_EQ(seen.buttons, "OK");
    }
    int Starts(const std::string& program) const {
        const std::string log = formstest::RecorderLog(program);
        return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
    }

    formstest::LentValue path_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"};
    formstest::LentValue location_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"};
    std::string folder_ = wintest::TempFolder("sysinfo");
    std::string msinfo32_ = folder_ + "\\MSINFO32.EXE";
};

TEST_F(StartSysInfoTest, TheFirstValueOnceFoundDecides) {
    // A path with spaces starts exactly that file, unchanged, and no other.
    const std::string program = folder_ + "\\System Info Stand-in.exe";
    ASSERT_TRUE(formstest::PlaceRecorder(program));
    path_.Set(program);
    location_.Set(folder_);
    EXPECT_FALSE(Run().shown);
    ASSERT_TRUE(wintest::WaitUntil([&] { return Starts(program) == 1; }, 10000));
    EXPECT_EQ(formstest::RecorderLog(program), "\"" + program + "\"\n");
    // Found but unusable (a missing file, a value not of text): the message,
    // and the second value is not asked.
    path_.Set(folder_ + "\\missing.exe");
    ExpectUnavailable(Run());
    const DWORD number = 5;
    HKEY k = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0, KEY_SET_VALUE, &k);
    RegSetValueExA(k, "PATH", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(k);
    ExpectUnavailable(Run());
    wintest::Pump(300);
    EXPECT_EQ(Starts(msinfo32_), 0);
}

TEST_F(StartSysInfoTest, TheSecondValueGivesOneFolderAndTheFileMustExist) {
    int runs = 0;
    for (const char* tail : {"", "\\", "\\\\\\"}) {
        location_.Set(folder_ + tail);
        EXPECT_FALSE(Run().shown) << tail;
        ++runs;
        ASSERT_TRUE(wintest::WaitUntil([&] { return Starts(msinfo32_) == runs; }, 10000)) << tail;
    }
    const std::string line = "\"" + msinfo32_ + "\"\n";
    EXPECT_EQ(formstest::RecorderLog(msinfo32_), line + line + line);
    location_.Set(wintest::TempFolder("sysinfo-empty"));
    ExpectUnavailable(Run());
    location_.Remove();
    ExpectUnavailable(Run());
}

TEST(GetKeyValue, NeedsOnlyTheRightToReadTheKey) {
    const std::string key = "Software\\Tollvane-forms-test";
    wintest::WriteRegString(HKEY_CURRENT_USER, key, "PATH", "C:\\x.exe");
    // Everyone may read the key, nobody may write it.
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
    EXPLICIT_ACCESSA access{KEY_READ, SET_ACCESS, NO_INHERITANCE, {}};
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPSTR>(everyone);
    PACL readOnly = nullptr;
    ASSERT_EQ(SetEntriesInAclA(1, &access, nullptr, &readOnly), ERROR_SUCCESS);
    auto setAcl = [&](PACL acl, DWORD info) {
        HKEY k = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, WRITE_DAC, &k);
        SetSecurityInfo(k, SE_REGISTRY_KEY, info, nullptr, nullptr, acl, nullptr);
        RegCloseKey(k);
    };
    setAcl(readOnly, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION);
    HKEY probe = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &probe), ERROR_SUCCESS);
    std::wstring value;
    EXPECT_TRUE(forms::GetKeyValue(HKEY_CURRENT_USER, L"Software\\Tollvane-forms-test", L"PATH", value));
    EXPECT_EQ(value, L"C:\\x.exe");
    EXPECT_FALSE(forms::GetKeyValue(HKEY_CURRENT_USER, L"Software\\Tollvane-forms-test", L"Missing", value));
    EXPECT_EQ(value, L"");
    setAcl(nullptr, DACL_SECURITY_INFORMATION);  // open again, so the key can go
    wintest::DeleteKeyTree(HKEY_CURRENT_USER, key);
    LocalFree(readOnly);
    FreeSid(everyone);
}

}  // namespace
