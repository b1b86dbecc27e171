// The path rules on two paths from the input, as Windows compares names: the
// same path either way round and whatever the case of its letters, and a folder
// holds itself and what is named under it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "services/PathRules.h"

using services::IsInFolder;
using services::SamePath;

namespace {

std::wstring wide(const std::string& s) {
    std::wstring w;
    for (const char c : s) w.push_back(static_cast<unsigned char>(c));
    return w;
}

std::wstring otherCase(std::wstring s) {
    for (wchar_t& c : s)
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) c ^= 0x20;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::wstring a = wide(in.ConsumeRandomLengthString()), b = wide(in.ConsumeRemainingBytesAsString());
    if (SamePath(a, b) != SamePath(b, a) || !SamePath(a, otherCase(a))) std::abort();
    if (IsInFolder(a, b) != IsInFolder(otherCase(a), b)) std::abort();
    if (SamePath(a, b) && IsInFolder(a, a) != IsInFolder(b, a)) std::abort();
    // Any folder named by more than backslashes holds itself and what is under it.
    if (a.find_first_not_of(L'\\') != std::wstring::npos && !(IsInFolder(a, a) && IsInFolder(a + L"\\" + b, a)))
        std::abort();
    return 0;
}
