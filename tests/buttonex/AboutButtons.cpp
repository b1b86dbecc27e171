#include "buttonex/AboutButtons.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "controls/buttonex/ButtonEx.h"
#include "controls/buttonex/ButtonExHost.h"

namespace bxtest {

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> MakeAboutButtonStore(const std::string& resourcesDir, const std::string& name,
                                          std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return std::vector<uint8_t>();
    };
    auto skin = [&](const char* state) {
        const auto file = ReadWholeFile(resourcesDir + "\\skin-" + name + "-" + state + ".bmp");
        return ui::Picture::FromFileBytes(file.data(), file.size());
    };
    buttonex::ButtonExHost host;
    buttonex::ButtonEx button(host);
    button.InitProperties();  // a button newly placed on the form...
    // ...then given the About box's values.
    button.SetCaption(name == "sysinfo" ? L"SysInfo" : L"Exit");
    button.SetAppearance(2);
    button.SetCaptionOffsetX(-3);
    button.SetCaptionOffsetY(-1);
    ui::Font::Desc font;
    font.face = L"MS Sans Serif";
    font.sizeCy = 82500;
    font.weight = FW_NORMAL;
    button.SetFont(ui::Font::Create(font));
    button.SetTransparentColor(0x00FFC0C0);
    const ui::Picture up = skin("up"), over = skin("over"), down = skin("down");
    if (!up.Handle() || !over.Handle() || !down.Handle()) return fail("a skin bitmap of " + name + " is missing");
    button.SetSkinUp(up);
    button.SetSkinOver(over);
    button.SetSkinDown(down);
    std::optional<buttonex::PropertyError> failure;
    auto bytes = host.Save(button, &failure);
    if (failure) return fail(failure->property + ": " + failure->reason);
    return bytes;
}

}  // namespace bxtest
