// Saving and loading buttons through the container's store under Wine: every
// property back equal, the default rule, damaged stores, and the About box's
// committed stores being what WriteProperties makes.
#include <algorithm>

#include "controls/buttonex/ButtonExFixture.h"
#include "controls/buttonex/ButtonExProperties.h"
#include "support/WinTest.h"

namespace bxtest {
namespace {

namespace store = buttonex::store;
using B = ButtonEx;

std::vector<std::string> names(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> out;
    for (const auto& r : store::Decode(bytes).records) out.push_back(r.name);
    return out;
}

class ButtonExPersist : public ButtonExTest {
protected:
    std::unique_ptr<ButtonEx> loaded(const std::vector<uint8_t>& bytes) {
        auto b = std::make_unique<ButtonEx>(host, &events);
        error = host.Load(*b, bytes, 600, 900, 1);
        return b;
    }
    std::optional<buttonex::PropertyError> error;
};

TEST_F(ButtonExPersist, EveryPropertySetAwayFromItsDefaultComesBackEqualAndATooLargeStoreIsRefused) {
    using namespace buttonex;
    const ui::Font::Desc font{.face = L"Arial", .sizeCy = 120000, .weight = FW_BOLD, .italic = true, .underline = true};
    ButtonEx& b = *button;
    EXPECT_EQ(names(host.Save(b).bytes), (std::vector<std::string>{"_extentx", "_extenty"}));  // new: only its extent

    // A value away from each default: negative and wider-than-16-bit numbers, a
    // system colour, text beyond ASCII, a picture of its own size per property.
    int i = 0;
    for (const PropertyInfo& p : kProperties) {
        ++i;
        std::visit(
            Overloaded{
                [&](const FlagAccess& a) { (b.*a.set)(p.def == 0); },
                [&](const NumberAccess& a) { (b.*a.set)(static_cast<int32_t>(p.def16 ? 70000 + i : p.def - 7 - i)); },
                [&](const ColourAccess& a) {
                    (b.*a.set)(i % 4 == 0 ? 0x80000000u + static_cast<Colour>(i % 25)
                                          : 0x00123456u + static_cast<Colour>(i));
                },
                [&](const TextAccess& a) { (b.*a.set)(L"&Text \u00e9 " + std::to_wstring(i)); },
                [&](const FontAccess& a) { (b.*a.set)(ui::Font::Create(font)); },
                [&](const PictureAccess& a) { (b.*a.set)(SolidPicture(8 + i % 9, 6, RGB(7 * i, 100, 255 - 7 * i))); },
            },
            p.access);
    }
    const auto saved = host.Save(b);
    ASSERT_FALSE(saved.error);
    // The extent, then the 35 writes (pictures too) in their order, the transparent colour twice.
    // clang-format off
    const std::vector<std::string> order = {
        "_extentx", "_extenty", "allowdefault", "allowfocus", "appearance", "enabled", "backcolor", "borderstyle",
        "caption", "captionoffsetx", "captionoffsety", "forecolor", "font", "highlightcolor", "highlightpicture",
        "oledropmode", "picture", "picturedisabled", "picturedown", "picturefocus", "pictureoffsetx",
        "pictureoffsety", "pictureover", "righttoleft", "transparentcolor", "mouseicon", "mousepointer",
        "skindisabled", "skindown", "skinfocus", "skinover", "skinup", "style", "tooltiptext", "transparentcolor",
        "value", "whatsthishelpid"};
    // clang-format on
    EXPECT_EQ(names(saved.bytes), order);

    auto back = loaded(saved.bytes);
    ASSERT_FALSE(error) << error->property << ": " << error->reason;
    ButtonEx& c = *back;
    for (const PropertyInfo& p : kProperties) {
        std::visit(Overloaded{
                       [&](const FontAccess& a) { EXPECT_EQ((c.*a.get)().Describe(), font); },
                       [&](const PictureAccess& a) {
                           EXPECT_EQ((c.*a.get)().FileBytes(), (b.*a.get)().FileBytes()) << p.name;
                       },
                       [&](const auto& a) { EXPECT_EQ((c.*a.get)(), (b.*a.get)()) << p.name; },
                   },
                   p.access);
    }
    EXPECT_EQ(c.Surface().Width(), b.Surface().Width());  // its extent
    EXPECT_EQ(host.Save(c).bytes, saved.bytes);           // none recorded twice or lost on saving again

    // Written, a store over the loader's limit would lose every property on loading.
    c.SetSkinUp(SolidPicture(2400, 2400, RGB(1, 2, 3)));  // 17 MB as a bitmap file
    const auto tooLarge = host.Save(c);
    ASSERT_TRUE(tooLarge.error);
    EXPECT_EQ(tooLarge.error->property, "SkinUp");
    EXPECT_NE(tooLarge.error->reason.find("MiB"), std::string::npos) << tooLarge.error->reason;
    EXPECT_TRUE(tooLarge.bytes.empty());
}

TEST_F(ButtonExPersist, DamagedStoresStopAtThePropertyAndKeepTheOnesBefore) {
    auto bytesOf = [](std::initializer_list<std::pair<const char*, store::Value>> records) {
        store::PropertyStore s;
        for (auto& [name, value] : records) s.Append(name, value);
        s.Append("value", int32_t{0});  // read last: never reached
        return s.ToBytes().bytes;
    };
    auto cut = bytesOf({{"AllowDefault", false}, {"AllowFocus", false}, {"Appearance", 0}, {"Caption", u"kept?"}});
    cut.resize(cut.size() - 20);  // inside the caption record
    // A few damaged header bytes must not make loading ask for gigabytes.
    std::vector<uint8_t> huge(14 + 40 + 16);
    const int32_t header[] = {40, 50000, 50000, 1 | (24 << 16)};  // size, width, height, planes and depth
    huge[0] = 'B', huge[1] = 'M';
    memcpy(huge.data() + 14, header, sizeof header);
    // Properties are read in alphabetical order; the ones before the damage stay applied.
    const std::tuple<std::vector<uint8_t>, const char*, int32_t, const char*> cases[] = {
        {cut, "BackColor", 0, ""},
        {bytesOf({{"appearance", int32_t{2}}, {"caption", int32_t{5}}}), "Caption", 2, ""},     // the wrong type
        {bytesOf({{"picture", store::PictureRecord{{'B', 'M', 0, 0, 0}}}}), "Picture", 1, ""},  // no image
        {bytesOf({{"appearance", int32_t{2}}, {"skinup", store::PictureRecord{huge}}}), "SkinUp", 2, "picture refused"},
        {std::vector<uint8_t>(100, 0xEE), "AllowDefault", 0, ""},  // nothing read: not even the defaults
    };
    for (const auto& [bytes, stopsAt, appearance, reason] : cases) {
        const DWORD started = GetTickCount();
        auto b = loaded(bytes);
        EXPECT_LT(GetTickCount() - started, 2000u) << stopsAt;
        ASSERT_TRUE(error) << stopsAt;
        EXPECT_EQ(error->property, stopsAt);
        EXPECT_TRUE(!error->reason.empty() && IsWindow(b->hWnd()));
        EXPECT_EQ(error->reason.rfind(reason, 0), 0u) << error->reason;
        EXPECT_EQ(b->Appearance(), appearance) << stopsAt;
        EXPECT_EQ(b->AllowDefault(), appearance != 0) << stopsAt;  // stores with Appearance 0 also cleared it
        EXPECT_EQ(b->Value(), 1);
        EXPECT_NE(b->Caption(), L"kept?");
    }
}

std::string sourcePath(const std::string& relative) {
    std::string path = std::string("Z:") + TOLLVANE_SOURCE_DIR + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Every store the property store's fuzzing keeps (its seeds, and what the native
// run of this test command found) loads through the real platform: pictures and
// fonts made, the stored extent made a drawing surface, in bounded time, and
// nothing of it left once the button goes.
TEST_F(ButtonExPersist, EveryStoreOfTheFuzzCorpusLoadsQuicklyAndLeavesNothing) {
    constexpr DWORD kBudgetMs = 60000;
    const DWORD begun = GetTickCount();
    const std::string seeds = sourcePath("tests/fuzz/seeds/fuzz_property_store");
    const std::string typical = wintest::ReadFileText(seeds + "\\typical.store");
    loaded({typical.begin(), typical.end()});  // what the first load keeps for good (fonts)
    const int bare = wintest::GdiObjectCount();
    int replayed = 0;
    for (const char* folder :
         {"tests/fuzz/seeds/fuzz_property_store", "build/native/fuzz-corpus/fuzz_property_store"}) {
        const std::string dir = sourcePath(folder);
        WIN32_FIND_DATAA found{};
        const HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more && GetTickCount() - begun < kBudgetMs;
             more = FindNextFileA(search, &found)) {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::string bytes = wintest::ReadFileText(dir + "\\" + found.cFileName);
            const DWORD started = GetTickCount();
            {
                const auto b = loaded({bytes.begin(), bytes.end()});
                ASSERT_TRUE(IsWindow(b->hWnd())) << found.cFileName;
                EXPECT_LE(std::max(b->Surface().Width(), b->Surface().Height()), buttonex::kMaxSurfaceSide)
                    << found.cFileName;
            }
            EXPECT_LT(GetTickCount() - started, 2000u) << found.cFileName;
            EXPECT_EQ(wintest::GdiObjectCount(), bare) << found.cFileName;
            ++replayed;
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
    EXPECT_GE(replayed, 5);  // the seeds at least
    wintest::Measured("fuzz corpus stores loaded", static_cast<unsigned long>(replayed), "stores");
}

TEST_F(ButtonExPersist, CommittedAboutStoresAreWhatTheToolMakes) {
    const std::string resources = sourcePath("resources");
    const std::string work = wintest::TempFolder("about-buttons");
    for (const char* skin : {"sysinfo-up", "sysinfo-over", "sysinfo-down", "exit-up", "exit-over", "exit-down"})
        ASSERT_TRUE(CopyFileA((resources + "\\skin-" + skin + ".bmp").c_str(),
                              (work + "\\skin-" + skin + ".bmp").c_str(), FALSE));
    wintest::Child tool(wintest::BuiltProgram("make_about_buttons.exe") + " " + work);
    ASSERT_TRUE(tool.WaitExit(20000));
    ASSERT_EQ(tool.ExitCode(), 0u);
    for (const char* file : {"about-bSysInfo.store", "about-bExit.store"}) {
        const std::string committed = wintest::ReadFileText(resources + "\\" + file);
        EXPECT_EQ(committed, wintest::ReadFileText(work + "\\" + file)) << file << " is stale: run make_about_buttons";
        auto b = loaded({committed.begin(), committed.end()});  // hosted: its 55 x 31 skin, cut to its shape
        EXPECT_FALSE(error);
        EXPECT_EQ(std::pair(b->Surface().Width(), b->Surface().Height()), std::pair(55, 31));
        EXPECT_TRUE(b->ShapeMode());
    }
}

}  // namespace
}  // namespace bxtest
