// The registry writer, against Wine's real registry.
#include <gtest/gtest.h>

#include "services/mRegistry.h"
#include "support/WinTest.h"

namespace {

constexpr char kScratch[] = "Software\\TollvaneTests\\Registry";
const std::wstring kScratchW = L"Software\\TollvaneTests\\Registry";

class Registry : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override { wintest::DeleteKeyTree(HKEY_CURRENT_USER, "Software\\TollvaneTests"); }
    static std::string bytes(const char* name) {
        auto v = wintest::ReadRegValue(HKEY_CURRENT_USER, kScratch, name);
        return std::string(v.data.begin(), v.data.end());
    }
};

TEST_F(Registry, SetKeyValueWritesExactlyTheTextIntoAnExistingKeyOnly) {
    std::wstring path = L"\\" + kScratchW;
    EXPECT_EQ(services::SetKeyValue(HKEY_CURRENT_USER, path, L"v", L"x", REG_BINARY), 0);
    EXPECT_FALSE(wintest::KeyExists(HKEY_CURRENT_USER, kScratch));  // never created
    EXPECT_EQ(path, kScratchW);  // one leading backslash went, from the caller's own variable

    wintest::WriteRegString(HKEY_CURRENT_USER, kScratch, "seed", "x");
    EXPECT_EQ(services::SetKeyValue(HKEY_CURRENT_USER, path, L"text", L"hello", REG_BINARY), ERROR_SUCCESS);
    EXPECT_EQ(bytes("text"), "hello");  // no terminating NUL
    services::SetKeyValue(HKEY_CURRENT_USER, path, L"empty", L"", REG_FULL_RESOURCE_DESCRIPTOR);
    const auto empty = wintest::ReadRegValue(HKEY_CURRENT_USER, kScratch, "empty");
    EXPECT_EQ(empty.type, static_cast<DWORD>(REG_FULL_RESOURCE_DESCRIPTOR));
    EXPECT_TRUE(empty.exists && empty.data.empty());

    std::wstring none;
    EXPECT_EQ(services::SetKeyValue(HKEY_CURRENT_USER, none, L"v", L"x", REG_SZ), 0);
    EXPECT_EQ(services::SetKeyValue(nullptr, path, L"v", L"x", REG_SZ), 0);
}

// Run in a test entry of its own under a Japanese locale (code page 932), where
// one character can take two bytes; that entry passes only if this test ran.
TEST_F(Registry, SetKeyValueStoresEveryByteOfMultiByteText) {
    if (GetACP() != 932) GTEST_SKIP() << "code page " << GetACP() << ", not 932: is the ja_JP.UTF-8 locale installed?";
    wintest::WriteRegString(HKEY_CURRENT_USER, kScratch, "seed", "x");
    std::wstring path = kScratchW;
    services::SetKeyValue(HKEY_CURRENT_USER, path, L"text", L"\u65e5\u672c\u8a9e", REG_BINARY);
    EXPECT_EQ(bytes("text"), "\x93\xfa\x96\x7b\x8c\xea");
}

}  // namespace
