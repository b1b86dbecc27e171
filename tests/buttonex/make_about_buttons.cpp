// Writes the About box's two stored buttons from the skin bitmaps:
//   wine make_about_buttons.exe Z:\path\to\resources
// gives about-bSysInfo.store and about-bExit.store in that folder. Run it after
// the skins are drawn again; the buttonex tests check that the committed
// stores are what it makes.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <fstream>

#include "buttonex/AboutButtons.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_about_buttons <resources folder>\n");
        return 2;
    }
    OleInitialize(nullptr);
    const std::string dir = argv[1];
    int rc = 0;
    for (const auto& [name, file] : {std::pair{"sysinfo", "about-bSysInfo.store"}, std::pair{"exit", "about-bExit.store"}}) {
        std::string error;
        const auto bytes = bxtest::MakeAboutButtonStore(dir, name, &error);
        if (bytes.empty()) {
            std::fprintf(stderr, "%s: %s\n", name, error.c_str());
            rc = 1;
            continue;
        }
        std::ofstream out(dir + "\\" + file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        std::printf("%s: %zu bytes\n", file, bytes.size());
    }
    OleUninitialize();
    return rc;
}
