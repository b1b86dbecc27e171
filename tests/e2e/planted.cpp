// A DLL for a test to plant where the program must not look for DLLs.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
