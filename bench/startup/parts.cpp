// One of the program's parts added to the minimal tray program (baseline.cpp),
// chosen by a definition, for the start-up table of bench.sh. Each part is what
// the loader or the runtime sees before WinMain: an import, the C++ runtime, or
// bytes in the image. Nothing here runs: the calls sit behind a test that is
// never true, so only their presence costs.
#include <windows.h>
#include <commctrl.h>
#include <oleauto.h>

#include <stdexcept>
#include <string>

namespace {

#ifdef PART_BALLAST
// As much read-only data as the program's code and tables (about 700 KB).
extern const unsigned char kBallast[700 * 1024] = {1};
#endif

struct Part {
    Part() {
        if (GetVersion() != 0) return;
#ifdef PART_COMCTL32
        InitCommonControls();
#endif
#ifdef PART_OLE32
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
#ifdef PART_OLEAUT32
        SysFreeString(SysAllocString(L""));
#endif
#ifdef PART_ADVAPI32
        RegCloseKey(HKEY_CURRENT_USER);
#endif
#ifdef PART_CXX
        try {
            throw std::runtime_error(std::string(GetCommandLineA()));
        } catch (const std::exception& e) {
            OutputDebugStringA(e.what());
        }
#endif
#ifdef PART_BALLAST
        OutputDebugStringA(reinterpret_cast<const char*>(kBallast));
#endif
    }
} part;

}  // namespace
