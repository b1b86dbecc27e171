// Rules about paths that need no file system: the paths come from the system.
#pragma once
#include <string_view>

namespace services {

// Whether path names folder itself or something inside it, as Windows compares
// names (letters in either case). A folder may end in a backslash or not;
// "C:\Temp2\x" is not inside "C:\Temp".
bool IsInFolder(std::wstring_view path, std::wstring_view folder);

// Whether two full paths name the same file, as Windows compares names.
bool SamePath(std::wstring_view a, std::wstring_view b);

}  // namespace services
