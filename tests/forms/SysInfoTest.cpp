#include <gtest/gtest.h>

#include <aclapi.h>

#include <algorithm>

#include <string>

#include "FormsTestSupport.h"
#include "forms/frmAbout.h"
#include "support/WinTest.h"

namespace {

constexpr char kFirstKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kSecondKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";

class StartSysInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = wintest::TempFolder("sysinfo");
        ASSERT_TRUE(formstest::PlaceRecorder(folder_ + "\\MSINFO32.EXE"));
    }

    formstest::MessageBoxSeen Run() {
        return formstest::WatchMessageBoxes([] { forms::StartSysInfo(nullptr); });
    }
    static void ExpectUnavailableMessage(const formstest::MessageBoxSeen& seen) {
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(seen.title, "Tollvane");
        EXPECT_EQ(seen.buttons, "OK");
    }
    std::string Msinfo32() const { return folder_ + "\\MSINFO32.EXE"; }

    formstest::SavedValue path_{kFirstKey, "PATH"};
    formstest::SavedValue location_{kSecondKey, "MSINFO"};
    std::string folder_;
};

TEST_F(StartSysInfoTest, FirstValueIsStartedAsItStandsBeforeTheSecondIsAsked) {
    // A path with spaces: only the named file may start, not a shorter prefix of it.
    const std::string program = folder_ + "\\System Info Stand-in.exe";
    ASSERT_TRUE(formstest::PlaceRecorder(program));
    path_.Set(program);
    location_.Set(folder_);
    const auto seen = Run();
    EXPECT_FALSE(seen.shown);
    ASSERT_TRUE(formstest::WaitForRecorder(program, 10000));
    EXPECT_EQ(formstest::RecorderLog(program), "\"" + program + "\"\n");
    wintest::Pump(300);
    EXPECT_TRUE(formstest::RecorderLog(Msinfo32()).empty());
}

TEST_F(StartSysInfoTest, FirstValueThatCannotStartEndsInTheMessage) {
    location_.Set(folder_);  // would work, but the first value, once found, decides
    path_.Set(folder_ + "\\missing.exe");
    ExpectUnavailableMessage(Run());
    // Found but not text: no usable path either.
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFirstKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 5;
    RegSetValueExA(k, "PATH", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(k);
    ExpectUnavailableMessage(Run());
    wintest::Pump(300);
    EXPECT_TRUE(formstest::RecorderLog(Msinfo32()).empty());
}

TEST_F(StartSysInfoTest, SecondValueGivesOnePathWhateverItsTrailingBackslashes) {
    int runs = 0;
    for (const char* suffix : {"", "\\", "\\\\\\"}) {
        location_.Set(folder_ + suffix);
        const auto seen = Run();
        EXPECT_FALSE(seen.shown) << suffix;
        ++runs;
        ASSERT_TRUE(wintest::WaitUntil(
            [&] {
                const std::string log = formstest::RecorderLog(Msinfo32());
                return static_cast<int>(std::count(log.begin(), log.end(), '\n')) == runs;
            },
            10000))
            << suffix;
    }
    const std::string line = "\"" + folder_ + "\\MSINFO32.EXE\"\n";
    EXPECT_EQ(formstest::RecorderLog(Msinfo32()), line + line + line);
}

TEST_F(StartSysInfoTest, MissingFileOrNoValueEndsInTheMessageAndStartsNothing) {
    const std::string empty = wintest::TempFolder("sysinfo-empty");
    location_.Set(empty);
    ExpectUnavailableMessage(Run());
    location_.Remove();
    ExpectUnavailableMessage(Run());
    wintest::Pump(300);
    EXPECT_TRUE(formstest::RecorderLog(Msinfo32()).empty());
}

class GetKeyValueTest : public ::testing::Test {
protected:
    static constexpr char kKey[] = "Software\\Tollvane-forms-test";
    static std::wstring Key() { return L"Software\\Tollvane-forms-test"; }
    void SetUp() override { wintest::DeleteKeyTree(HKEY_CURRENT_USER, kKey); }
    void TearDown() override {
        // Give ourselves back the right to remove a key we locked.
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, WRITE_DAC, &k) == ERROR_SUCCESS) {
            SetSecurityInfo(k, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr);
            RegCloseKey(k);
        }
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, kKey);
    }
};

TEST_F(GetKeyValueTest, ReadsTextValuesAndReportsWhatIsMissing) {
    wintest::WriteRegString(HKEY_CURRENT_USER, kKey, "Text", "C:\\Tools\\");
    std::wstring value = L"stale";
    EXPECT_TRUE(forms::GetKeyValue(HKEY_CURRENT_USER, Key(), L"Text", value));
    EXPECT_EQ(value, L"C:\\Tools\\");
    value = L"stale";
    EXPECT_FALSE(forms::GetKeyValue(HKEY_CURRENT_USER, Key(), L"Missing", value));
    EXPECT_EQ(value, L"");
    value = L"stale";
    EXPECT_FALSE(forms::GetKeyValue(HKEY_CURRENT_USER, L"Software\\Tollvane-no-such-key", L"Text", value));
    EXPECT_EQ(value, L"");
    // A full buffer's worth of text with no NUL of its own is read whole, and no further.
    wintest::WriteRegString(HKEY_CURRENT_USER, kKey, "Long", std::string(1023, 'x'));
    EXPECT_TRUE(forms::GetKeyValue(HKEY_CURRENT_USER, Key(), L"Long", value));
    EXPECT_EQ(value, std::wstring(1023, L'x'));
    // Too long for the buffer: not read.
    wintest::WriteRegString(HKEY_CURRENT_USER, kKey, "TooLong", std::string(2000, 'x'));
    EXPECT_FALSE(forms::GetKeyValue(HKEY_CURRENT_USER, Key(), L"TooLong", value));
}

TEST_F(GetKeyValueTest, NeedsOnlyTheRightToReadTheKey) {
    wintest::WriteRegString(HKEY_CURRENT_USER, kKey, "PATH", "C:\\x.exe");
    // Everyone may read the key; nobody may write it.
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
    EXPLICIT_ACCESSA access{};
    access.grfAccessPermissions = KEY_READ;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPSTR>(everyone);
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclA(1, &access, nullptr, &acl), ERROR_SUCCESS);
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, WRITE_DAC, &k), ERROR_SUCCESS);
    ASSERT_EQ(SetSecurityInfo(k, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, acl, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(k);
    LocalFree(acl);
    FreeSid(everyone);

    HKEY probe = nullptr;
    const LONG writeOpen = RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &probe);
    if (probe) RegCloseKey(probe);
    if (writeOpen == ERROR_SUCCESS) GTEST_SKIP() << "this platform does not enforce the key's access list";
    std::wstring value;
    EXPECT_TRUE(forms::GetKeyValue(HKEY_CURRENT_USER, Key(), L"PATH", value));
    EXPECT_EQ(value, L"C:\\x.exe");
}

}  // namespace
