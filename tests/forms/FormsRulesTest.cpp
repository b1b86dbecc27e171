#include <gtest/gtest.h>

#include <vector>

#include "forms/SysInfoPath.h"
#include "services/PathRules.h"

namespace forms {
namespace {

// Only a 32-bit program on 64-bit Windows (WOW64) has a system folder that is not
// the real one; then a path inside it, and only such a path, goes through Sysnative.
TEST(SysInfoLaunchPath, UnderWow64APathInTheSystemFolderGoesThroughSysnative) {
    const std::wstring msinfo = L"C:\\WINDOWS\\system32\\msinfo32.exe";
    struct Case {
        std::wstring path, system, underWow64;
    };
    for (const Case& c :
         std::vector<Case>{{msinfo, L"C:\\WINDOWS\\system32", L"C:\\WINDOWS\\Sysnative\\msinfo32.exe"},
                           {L"c:\\windows\\SYSTEM32\\msinfo32.exe", L"C:\\Windows\\System32\\",
                            L"C:\\WINDOWS\\Sysnative\\msinfo32.exe"},
                           {L"C:\\WINDOWS\\system32x\\msinfo32.exe", L"C:\\WINDOWS\\system32",
                            L"C:\\WINDOWS\\system32x\\msinfo32.exe"},
                           {L"C:\\WINDOWS\\msinfo32.exe", L"C:\\WINDOWS\\system32", L"C:\\WINDOWS\\msinfo32.exe"},
                           {msinfo, L"", msinfo}}) {
        EXPECT_EQ(SysInfoLaunchPath(c.path, c.system, L"C:\\WINDOWS", true), c.underWow64) << c.path;
        // A native process, 32-bit or 64-bit, starts every path as it is.
        EXPECT_EQ(SysInfoLaunchPath(c.path, c.system, L"C:\\WINDOWS", false), c.path) << c.path;
    }
    // A folder named with two backslashes at its end is no file inside it.
    EXPECT_FALSE(services::SamePath(L"C:\\x\\y", L"C:\\x\\\\"));
}

}  // namespace
}  // namespace forms
