#include <gtest/gtest.h>

#include <vector>

#include "forms/mGlobalFunctions.h"

namespace forms {
namespace {

TEST(AddBackslash, EndsInExactlyOneBackslash) {
    for (const auto& [path, want] : std::vector<std::pair<std::wstring, std::wstring>>{
             {L"", L"\\"}, {L"\\", L"\\"}, {L"C:", L"C:\\"}, {L"C:\\", L"C:\\"}, {L"C:\\\\\\", L"C:\\"},
             {L"\\\\server\\share", L"\\\\server\\share\\"}})
        EXPECT_EQ(AddBackslash(path), want) << path;
}

}  // namespace
}  // namespace forms
