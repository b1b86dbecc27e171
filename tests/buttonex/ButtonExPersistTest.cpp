// Saving and loading buttons through the container's store under Wine: every
// property back equal, the default rule, damaged stores, and the About box's
// committed stores being what WriteProperties makes.
#include <algorithm>

#include "buttonex/ButtonExFixture.h"
#include "support/WinTest.h"

namespace bxtest {
namespace {

namespace store = buttonex::store;
using B = ButtonEx;

std::vector<uint8_t> ReadFile(const std::string& path) {
    const std::string s = wintest::ReadFileText(path);
    return {s.begin(), s.end()};
}

std::vector<std::string> names(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> out;
    for (const auto& r : store::Decode(bytes).records) out.push_back(r.name);
    return out;
}

template <class T>
struct Prop { void (B::*set)(T); T (B::*get)() const; std::remove_cvref_t<T> value; };

class ButtonExPersist : public ButtonExTest {
protected:
    std::unique_ptr<ButtonEx> loaded(const std::vector<uint8_t>& bytes) {
        auto b = std::make_unique<ButtonEx>(host, &events);
        error = host.Load(*b, bytes, 600, 900, 1);
        return b;
    }
    std::optional<buttonex::PropertyError> error;
};

TEST_F(ButtonExPersist, EveryPropertySetAwayFromItsDefaultComesBackEqual) {
    const Prop<bool> bools[] = {{&B::SetAllowDefault, &B::AllowDefault, false}, {&B::SetAllowFocus, &B::AllowFocus, false},
                                {&B::SetEnabled, &B::Enabled, false}, {&B::SetHighlightPicture, &B::HighlightPicture, true},
                                {&B::SetRightToLeft, &B::RightToLeft, true}};
    const Prop<int32_t> numbers[] = {
        {&B::SetAppearance, &B::Appearance, 0}, {&B::SetBorderStyle, &B::BorderStyle, 3}, {&B::SetCaptionOffsetX, &B::CaptionOffsetX, -3},
        {&B::SetCaptionOffsetY, &B::CaptionOffsetY, 70000}, {&B::SetMousePointer, &B::MousePointer, 99}, {&B::SetOLEDropMode, &B::OLEDropMode, 1},
        {&B::SetPictureOffsetX, &B::PictureOffsetX, -7}, {&B::SetPictureOffsetY, &B::PictureOffsetY, 9}, {&B::SetStyle, &B::Style, 1},
        {&B::SetValue, &B::Value, 0}, {&B::SetWhatsThisHelpID, &B::WhatsThisHelpID, 4711}};
    const Prop<uint32_t> colours[] = {{&B::SetBackColor, &B::BackColor, 0x00123456}, {&B::SetForeColor, &B::ForeColor, 0x80000008},
                                      {&B::SetHighlightColor, &B::HighlightColor, 0xFF}, {&B::SetTransparentColor, &B::TransparentColor, 0xFFC0C0}};
    const Prop<const std::wstring&> texts[] = {{&B::SetCaption, &B::Caption, L"&Caption \u00e9"}, {&B::SetToolTipText, &B::ToolTipText, L"tip"}};
    const std::pair<void (B::*)(const ui::Picture&), ui::Picture (B::*)() const> pictures[] = {
        {&B::SetMouseIcon, &B::MouseIcon},   {&B::SetPicture, &B::Picture},       {&B::SetPictureDisabled, &B::PictureDisabled},
        {&B::SetPictureDown, &B::PictureDown}, {&B::SetPictureFocus, &B::PictureFocus}, {&B::SetPictureOver, &B::PictureOver},
        {&B::SetSkinDisabled, &B::SkinDisabled}, {&B::SetSkinDown, &B::SkinDown}, {&B::SetSkinFocus, &B::SkinFocus},
        {&B::SetSkinOver, &B::SkinOver},     {&B::SetSkinUp, &B::SkinUp}};
    const ui::Font::Desc font{.face = L"Arial", .sizeCy = 120000, .weight = FW_BOLD, .italic = true, .underline = true};

    ButtonEx& b = *button;
    EXPECT_EQ(names(host.Save(b)), (std::vector<std::string>{"_extentx", "_extenty"}));  // new: only its extent
    auto setAll = [&b](auto& table) { for (auto& p : table) (b.*p.set)(p.value); };
    setAll(bools), setAll(numbers), setAll(colours), setAll(texts);
    for (int i = 0; auto& p : pictures) (b.*p.first)(SolidPicture(8 + i, 6, RGB(20 * i, 100, 255 - 20 * i))), ++i;
    b.SetFont(ui::Font::Create(font));

    const auto bytes = host.Save(b, &error);
    ASSERT_FALSE(error);
    EXPECT_EQ(names(bytes).size(), 2u + 34u + 1u);  // the extent, every property (pictures too), TransparentColor twice
    auto back = loaded(bytes);
    ASSERT_FALSE(error) << error->property << ": " << error->reason;
    ButtonEx& c = *back;  // every property read back, and none recorded twice or lost on saving again
    auto checkAll = [&](auto& table) { for (auto& p : table) EXPECT_EQ((c.*p.get)(), p.value) << &p - table; };
    checkAll(bools), checkAll(numbers), checkAll(colours), checkAll(texts);
    for (auto& p : pictures) EXPECT_EQ((c.*p.second)().FileBytes(), (b.*p.second)().FileBytes()) << &p - pictures;
    EXPECT_EQ(c.Font().Describe(), font);
    EXPECT_EQ(c.Surface().Width(), b.Surface().Width());  // the skin's size
    EXPECT_EQ(host.Save(c), bytes);
}

TEST_F(ButtonExPersist, DamagedStoresStopAtThePropertyAndKeepTheOnesBefore) {
    auto bytesOf = [](std::initializer_list<std::pair<const char*, store::Value>> records) {
        store::PropertyStore s;
        for (auto& [name, value] : records) s.Append(name, value);
        s.Append("value", int32_t{0});  // read last: never reached
        return s.ToBytes();
    };
    auto cut = bytesOf({{"AllowDefault", false}, {"AllowFocus", false}, {"Appearance", 0}, {"Caption", u"kept?"}});
    cut.resize(cut.size() - 20);  // inside the caption record
    // Properties are read in alphabetical order; the ones before the damage stay applied.
    const std::tuple<std::vector<uint8_t>, const char*, int32_t> cases[] = {
        {cut, "BackColor", 0},
        {bytesOf({{"appearance", int32_t{2}}, {"caption", int32_t{5}}}), "Caption", 2},  // the wrong type
        {bytesOf({{"picture", store::PictureRecord{{'B', 'M', 0, 0, 0}}}}), "Picture", 1},  // no image
        {std::vector<uint8_t>(100, 0xEE), "AllowDefault", 0},  // nothing read: not even the defaults
    };
    for (const auto& [bytes, stopsAt, appearance] : cases) {
        auto b = loaded(bytes);
        ASSERT_TRUE(error) << stopsAt;
        EXPECT_EQ(error->property, stopsAt);
        EXPECT_TRUE(!error->reason.empty() && IsWindow(b->hWnd()));
        EXPECT_EQ(b->Appearance(), appearance) << stopsAt;
        EXPECT_EQ(b->AllowDefault(), appearance != 0) << stopsAt;  // stores with Appearance 0 also cleared it
        EXPECT_EQ(b->Value(), 1);
        EXPECT_NE(b->Caption(), L"kept?");
    }
}

TEST_F(ButtonExPersist, CommittedAboutStoresAreWhatTheToolMakes) {
    std::string resources = std::string("Z:") + TOLLVANE_SOURCE_DIR + "/resources";
    std::replace(resources.begin(), resources.end(), '/', '\\');
    const std::string work = wintest::TempFolder("about-buttons");
    for (const char* skin : {"sysinfo-up", "sysinfo-over", "sysinfo-down", "exit-up", "exit-over", "exit-down"})
        ASSERT_TRUE(CopyFileA((resources + "\\skin-" + skin + ".bmp").c_str(), (work + "\\skin-" + skin + ".bmp").c_str(), FALSE));
    wintest::Child tool(wintest::BuiltProgram("make_about_buttons.exe") + " " + work);
    ASSERT_TRUE(tool.WaitExit(20000));
    ASSERT_EQ(tool.ExitCode(), 0u);
    for (const char* file : {"about-bSysInfo.store", "about-bExit.store"}) {
        const auto committed = ReadFile(resources + "\\" + file);
        EXPECT_EQ(committed, ReadFile(work + "\\" + file)) << file << " is stale: run make_about_buttons";
        auto b = loaded(committed);  // hosted: its 55 x 31 skin, cut to its shape
        EXPECT_FALSE(error);
        EXPECT_EQ(std::pair(b->Surface().Width(), b->Surface().Height()), std::pair(55, 31));
        EXPECT_TRUE(b->ShapeMode());
    }
}

}  // namespace
}  // namespace bxtest
