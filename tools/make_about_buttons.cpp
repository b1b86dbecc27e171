// Writes the About box's two stored buttons, made by the button's own
// WriteProperties from the skin bitmaps, into the resources folder:
//   wine make_about_buttons.exe Z:\path\to\resources
// Run it after the skins are drawn again; a test checks that the committed
// stores are what it makes.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "controls/buttonex/ButtonEx.h"
#include "controls/buttonex/ButtonExHost.h"

using buttonex::ButtonEx;

int main(int argc, char** argv) {
    if (argc != 2) return std::fprintf(stderr, "usage: make_about_buttons <resources folder>\n"), 2;
    OleInitialize(nullptr);
    const std::string dir = argv[1];
    for (auto [name, file] : {std::pair{"sysinfo", "about-bSysInfo.store"}, std::pair{"exit", "about-bExit.store"}}) {
        buttonex::ButtonExHost host;
        ButtonEx button(host);
        button.InitProperties();  // a button newly placed on the form, then given the About box's values
        button.SetCaption(*name == 's' ? L"SysInfo" : L"Exit");
        button.SetAppearance(2), button.SetCaptionOffsetX(-3), button.SetCaptionOffsetY(-1);
        button.SetFont(ui::Font::Create({.face = L"MS Sans Serif", .sizeCy = 82500, .weight = FW_NORMAL}));
        button.SetTransparentColor(0x00FFC0C0);
        for (auto [state, set] : {std::pair{"up", &ButtonEx::SetSkinUp},
                                  {"over", &ButtonEx::SetSkinOver},
                                  {"down", &ButtonEx::SetSkinDown}}) {
            std::ifstream in(dir + "\\skin-" + name + "-" + state + ".bmp", std::ios::binary);
            const std::vector<char> bmp{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            const auto skin = ui::Picture::FromFileBytes(bmp.data(), bmp.size());
            if (!skin.Handle()) return std::fprintf(stderr, "skin-%s-%s.bmp is missing\n", name, state), 1;
            (button.*set)(skin);
        }
        const auto [bytes, failure] = host.Save(button);
        if (failure) return std::fprintf(stderr, "%s: %s\n", failure->property.c_str(), failure->reason.c_str()), 1;
        std::ofstream(dir + "\\" + file, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    OleUninitialize();
    return 0;
}
