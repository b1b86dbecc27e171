// A program that imports a function Windows XP lacks, to show that the import
// audit refuses it. The XP headers rightly do not declare it: it is declared here.
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

int main() { return static_cast<int>(GetTickCount64() & 1u); }
