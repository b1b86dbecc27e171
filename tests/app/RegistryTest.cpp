// The registry writer and the identity values, against Wine's real registry.
#include <gtest/gtest.h>

#include "app/mOEStuff.h"
#include "services/SettingsStore.h"
#include "services/mRegistry.h"
#include "support/WinTest.h"

namespace {

constexpr char kScratch[] = "Software\\TollvaneTests\\Registry";
const char* const kIdentityValues[] = {"Last UserName", "Last User ID", "Default User ID", "Start As"};

class Registry : public testing::Test {
protected:
    void SetUp() override {
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, kScratch);
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
    }
    void TearDown() override {
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, kScratch);
        wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
    }
};

TEST_F(Registry, SetKeyValueWritesIntoAnExistingKeyAndStripsOneLeadingBackslash) {
    wintest::WriteRegString(HKEY_CURRENT_USER, kScratch, "seed", "x");
    std::wstring path = L"\\Software\\TollvaneTests\\Registry";
    EXPECT_EQ(services::SetKeyValue(HKEY_CURRENT_USER, path, L"text", L"hello", REG_BINARY), ERROR_SUCCESS);
    EXPECT_EQ(path, L"Software\\TollvaneTests\\Registry");  // the caller's variable is shortened
    auto v = wintest::ReadRegValue(HKEY_CURRENT_USER, kScratch, "text");
    ASSERT_TRUE(v.exists);
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(std::string(v.data.begin(), v.data.end()), "hello");  // no terminating NUL

    std::wstring twice = L"\\\\Software\\TollvaneTests\\Registry";
    services::SetKeyValue(HKEY_CURRENT_USER, twice, L"other", L"", REG_SZ);
    EXPECT_EQ(twice, L"\\Software\\TollvaneTests\\Registry");  // only one is removed

    // Empty data: a value of the given type with no bytes.
    EXPECT_EQ(services::SetKeyValue(HKEY_CURRENT_USER, path, L"empty", L"", REG_FULL_RESOURCE_DESCRIPTOR), 0);
    v = wintest::ReadRegValue(HKEY_CURRENT_USER, kScratch, "empty");
    EXPECT_TRUE(v.exists);
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_FULL_RESOURCE_DESCRIPTOR));
    EXPECT_TRUE(v.data.empty());
}

TEST_F(Registry, SetKeyValueNeverCreatesAKeyAndAttemptsNothingWithoutPathOrRoot) {
    std::wstring missing = L"Software\\TollvaneTests\\Registry\\Missing";
    EXPECT_EQ(services::SetKeyValue(HKEY_CURRENT_USER, missing, L"v", L"x", REG_SZ), 0);
    EXPECT_FALSE(wintest::KeyExists(HKEY_CURRENT_USER, "Software\\TollvaneTests\\Registry\\Missing"));
    std::wstring empty;
    EXPECT_EQ(services::SetKeyValue(HKEY_CURRENT_USER, empty, L"v", L"x", REG_SZ), 0);
    std::wstring path = L"Software";
    EXPECT_EQ(services::SetKeyValue(nullptr, path, L"v", L"x", REG_SZ), 0);
}

// Run by the harness a second time under a Japanese locale (code page 932), where
// one character can take two bytes; elsewhere it has nothing to prove.
TEST_F(Registry, SetKeyValueStoresEveryByteOfMultiByteText) {
    if (GetACP() != 932) GTEST_SKIP() << "needs a multi-byte ANSI code page";
    wintest::WriteRegString(HKEY_CURRENT_USER, kScratch, "seed", "x");
    std::wstring path = L"Software\\TollvaneTests\\Registry";
    const std::wstring text = L"\u65e5\u672c\u8a9e";  // three characters, six bytes
    services::SetKeyValue(HKEY_CURRENT_USER, path, L"text", text, REG_BINARY);
    auto v = wintest::ReadRegValue(HKEY_CURRENT_USER, kScratch, "text");
    ASSERT_EQ(v.data.size(), 6u);
    EXPECT_EQ(std::string(v.data.begin(), v.data.end()), "\x93\xfa\x96\x7b\x8c\xea");
}

TEST_F(Registry, ClearLastIdentityOverwritesTheFourValuesWithEmptyType9) {
    for (const char* name : kIdentityValues) wintest::WriteRegString(HKEY_CURRENT_USER, "Identities", name, "someone");
    app::ClearLastIdentity();
    for (const char* name : kIdentityValues) {
        auto v = wintest::ReadRegValue(HKEY_CURRENT_USER, "Identities", name);
        EXPECT_TRUE(v.exists) << name;
        EXPECT_EQ(v.type, 9u) << name;
        EXPECT_TRUE(v.data.empty()) << name;
    }
}

TEST_F(Registry, ClearLastIdentityCreatesValuesInAnEmptyKeyButNeverTheKey) {
    app::ClearLastIdentity();
    EXPECT_FALSE(wintest::KeyExists(HKEY_CURRENT_USER, "Identities"));

    wintest::WriteRegString(HKEY_CURRENT_USER, "Identities", "Unrelated", "kept");
    app::ClearLastIdentity();
    for (const char* name : kIdentityValues) EXPECT_TRUE(wintest::ReadRegValue(HKEY_CURRENT_USER, "Identities", name).exists);
    EXPECT_EQ(wintest::ReadRegValue(HKEY_CURRENT_USER, "Identities", "Unrelated").type, static_cast<DWORD>(REG_SZ));
}

TEST_F(Registry, SettingsRoundTripAndMissingValuesGiveTheDefault) {
    EXPECT_EQ(services::GetSetting(L"TollvaneTests", L"Registry", L"DelayMinutes", L"10"), L"10");
    EXPECT_TRUE(services::SaveSetting(L"TollvaneTests", L"Registry", L"DelayMinutes", L"15"));
    EXPECT_EQ(services::GetSetting(L"TollvaneTests", L"Registry", L"DelayMinutes", L"10"), L"15");
    auto v = wintest::ReadRegValue(HKEY_CURRENT_USER, kScratch, "DelayMinutes");
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
}

}  // namespace
