// Where Windows looks for a DLL that is loaded by name after the start (system
// code loads some so: a theme or a version library). Narrowed before anything
// else runs: the current folder and PATH are never searched, so a DLL planted
// in whatever folder the program was started from is not loaded. The program's
// own folder stays searched (the loader bound its imports from there already,
// and Windows keeps it in every search order it offers besides the system-only
// one); a program kept in a folder others can write to is not protected by this.
#pragma once
#include <windows.h>

#include "base/SystemFunction.h"

namespace base {

// SetDefaultDllDirectories is in Windows 8 and later, and in Vista and 7 with the
// update that added it; SetDllDirectoryW in XP SP1 and later.
inline void NarrowDllSearch() noexcept {
    using SetDefault = BOOL(WINAPI*)(DWORD);
    if (const auto setDefault = SystemFunction<SetDefault>("kernel32.dll", "SetDefaultDllDirectories"))
        if (setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) return;
    // The empty folder takes the current folder out of the search.
    using SetDirectory = BOOL(WINAPI*)(LPCWSTR);
    if (const auto setDirectory = SystemFunction<SetDirectory>("kernel32.dll", "SetDllDirectoryW")) setDirectory(L"");
}

}  // namespace base
