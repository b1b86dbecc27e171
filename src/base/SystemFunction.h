// A function of a system DLL that older Windows lacks, looked up at run time so
// that the program still loads there: nullptr where it is missing. Only for
// DLLs the program has loaded already (kernel32, user32, ...).
#pragma once
#include <windows.h>

namespace base {

template <class Function>
Function SystemFunction(const char* dll, const char* name) noexcept {
    const HMODULE module = GetModuleHandleA(dll);
    if (!module) return nullptr;
    // Through the generic function pointer type: a direct cast between
    // unrelated function types is refused by -Wcast-function-type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace base
