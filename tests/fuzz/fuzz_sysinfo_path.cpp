// Where System Information starts from, for any three paths: a native process
// starts the path as it is; under WOW64 the path stays or goes through
// "<windows folder>\Sysnative".
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "forms/SysInfoPath.h"
#include "services/PathRules.h"

namespace {

std::wstring wide(const std::string& s) {
    std::wstring w;
    for (const char c : s) w.push_back(static_cast<unsigned char>(c));
    return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool wow64 = in.ConsumeBool();
    const std::wstring path = wide(in.ConsumeRandomLengthString()), system = wide(in.ConsumeRandomLengthString()),
                       windows = wide(in.ConsumeRemainingBytesAsString());
    const std::wstring out = forms::SysInfoLaunchPath(path, system, windows, wow64);
    if (out == path) return 0;
    std::wstring sysnative = windows.substr(0, windows.find_last_not_of(L'\\') + 1) + L"\\Sysnative";
    if (!wow64 || !out.starts_with(sysnative) || !services::IsInFolder(out, sysnative)) std::abort();
    return 0;
}
