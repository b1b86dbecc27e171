// Where to start System Information from. A 32-bit program on 64-bit Windows
// runs under WOW64, where a path in the system folder is taken to the 32-bit
// one (SysWOW64), which has no System Information on current Windows. The
// Sysnative alias in the Windows folder names the real system folder for such
// a program.
#pragma once
#include <string>
#include <string_view>

namespace forms {

// The path to start: under WOW64, a path inside the system folder becomes the
// same path under "<windows folder>\Sysnative"; anything else stays as it is.
std::wstring SysInfoLaunchPath(std::wstring_view path, std::wstring_view systemFolder, std::wstring_view windowsFolder,
                               bool wow64);

}  // namespace forms
