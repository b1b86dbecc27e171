// A stand-in program for the tests: it appends its own command line to the
// file "<its own path>.log" and ends. Copied under other names, it stands in
// for System Information or for the handler of a web address's scheme.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::ofstream(std::string(self) + ".log", std::ios::app | std::ios::binary) << GetCommandLineA() << "\n";
    return 0;
}
