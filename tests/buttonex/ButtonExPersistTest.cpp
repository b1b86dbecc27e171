// Saving and loading buttons through the container's store under Wine: every
// property back equal, the default rule, damaged stores, and the About box's
// committed stores being what WriteProperties makes.
#include "buttonex/AboutButtons.h"
#include "buttonex/ButtonExFixture.h"
#include "controls/buttonex/PropertyBag.h"

namespace bxtest {
namespace {

using buttonex::TA;
namespace store = buttonex::store;

std::vector<std::string> names(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> out;
    for (const auto& r : store::Decode(bytes).records) out.push_back(r.name);
    return out;
}

std::vector<unsigned char> fileOf(const ui::Picture& p) { return p.FileBytes(); }

class Persist : public ButtonExTest {
protected:
    std::unique_ptr<ButtonEx> loaded(const std::vector<uint8_t>& bytes,
                                     std::optional<buttonex::PropertyError>* error = nullptr) {
        auto b = std::make_unique<ButtonEx>(host, &events);
        auto e = host.Load(*b, bytes, 600, 900, 1);
        if (error) *error = e;
        return b;
    }
};

TEST_F(Persist, EveryPropertySetAwayFromItsDefaultComesBackEqual) {
    ButtonEx& b = *button;
    ui::Font::Desc fd;
    fd.face = L"Arial";
    fd.sizeCy = 120000;
    fd.weight = FW_BOLD;
    fd.italic = true;
    fd.underline = true;
    const ui::Font font = ui::Font::Create(fd);
    std::vector<ui::Picture> pics;
    for (int i = 0; i < 11; ++i) pics.push_back(SolidPicture(8 + i, 6, RGB(20 * i, 100, 255 - 20 * i)));

    b.SetAllowDefault(false);
    b.SetAllowFocus(false);
    b.SetAppearance(0);
    b.SetBackColor(0x00123456);
    b.SetBorderStyle(3);
    b.SetCaption(L"&Caption \u00e9");
    b.SetCaptionOffsetX(-3);
    b.SetCaptionOffsetY(70000);
    b.SetEnabled(false);
    b.SetForeColor(0x80000008);  // a system colour: the high bit survives
    b.SetFont(font);
    b.SetHighlightColor(0x000000FF);
    b.SetHighlightPicture(true);
    b.SetMouseIcon(pics[0]);
    b.SetMousePointer(99);
    b.SetOLEDropMode(1);
    b.SetPicture(pics[1]);
    b.SetPictureDisabled(pics[2]);
    b.SetPictureDown(pics[3]);
    b.SetPictureFocus(pics[4]);
    b.SetPictureOffsetX(-7);
    b.SetPictureOffsetY(9);
    b.SetPictureOver(pics[5]);
    b.SetRightToLeft(true);
    b.SetSkinDisabled(pics[6]);
    b.SetSkinDown(pics[7]);
    b.SetSkinFocus(pics[8]);
    b.SetSkinOver(pics[9]);
    b.SetSkinUp(pics[10]);
    b.SetStyle(1);
    b.SetToolTipText(L"tip");
    b.SetTransparentColor(0x00FFC0C0);
    b.SetValue(0);
    b.SetWhatsThisHelpID(4711);

    std::optional<buttonex::PropertyError> error;
    const auto bytes = host.Save(b, &error);
    ASSERT_FALSE(error);
    // 34 properties, TransparentColor twice, and the extent.
    EXPECT_EQ(names(bytes).size(), 2u + 35u);

    auto back = loaded(bytes, &error);
    ASSERT_FALSE(error) << error->property << ": " << error->reason;
    ButtonEx& c = *back;
    EXPECT_FALSE(c.AllowDefault());
    EXPECT_FALSE(c.AllowFocus());
    EXPECT_EQ(c.Appearance(), 0);
    EXPECT_EQ(c.BackColor(), 0x00123456u);
    EXPECT_EQ(c.BorderStyle(), 3);
    EXPECT_EQ(c.Caption(), L"&Caption \u00e9");
    EXPECT_EQ(c.AccessKey(), L"C");
    EXPECT_EQ(c.CaptionOffsetX(), -3);
    EXPECT_EQ(c.CaptionOffsetY(), 70000);
    EXPECT_FALSE(c.Enabled());
    EXPECT_EQ(c.ForeColor(), 0x80000008u);
    EXPECT_EQ(c.Font().Describe(), fd);
    EXPECT_EQ(c.HighlightColor(), 0x000000FFu);
    EXPECT_TRUE(c.HighlightPicture());
    EXPECT_EQ(c.MousePointer(), 99);
    EXPECT_EQ(c.OLEDropMode(), 1);
    EXPECT_EQ(c.PictureOffsetX(), -7);
    EXPECT_EQ(c.PictureOffsetY(), 9);
    EXPECT_TRUE(c.RightToLeft());
    EXPECT_EQ(c.Style(), 1);
    EXPECT_EQ(c.ToolTipText(), L"tip");
    EXPECT_EQ(c.TransparentColor(), 0x00FFC0C0u);
    EXPECT_EQ(c.Value(), 0);
    EXPECT_EQ(c.WhatsThisHelpID(), 4711);
    const ui::Picture got[] = {c.MouseIcon(),    c.Picture(),      c.PictureDisabled(), c.PictureDown(),
                               c.PictureFocus(), c.PictureOver(),  c.SkinDisabled(),    c.SkinDown(),
                               c.SkinFocus(),    c.SkinOver(),     c.SkinUp()};
    for (size_t i = 0; i < pics.size(); ++i) {
        EXPECT_EQ(got[i].Pixels().cx, pics[i].Pixels().cx) << i;
        EXPECT_EQ(fileOf(got[i]), fileOf(pics[i])) << i;
    }
    // Same size as the original (the skin's), and saving again gives the same bytes.
    EXPECT_EQ(c.Surface().Width(), b.Surface().Width());
    EXPECT_EQ(host.Save(c), bytes);
}

TEST_F(Persist, UnchangedNewButtonRecordsOnlyItsExtentAndEmptyStoreLoadsDefaults) {
    const auto bytes = host.Save(*button);
    EXPECT_EQ(names(bytes), (std::vector<std::string>{"_extentx", "_extenty"}));
    EXPECT_EQ(store::Decode(bytes).records[0].value, store::Value(int32_t{2117}));  // 80 px

    // A store with no records: pictures absent (not empty), Value 1, the defaults.
    auto b = loaded(store::Encode({}));
    EXPECT_FALSE(b->SkinUp().IsPresent());
    EXPECT_FALSE(b->Picture().IsPresent());
    EXPECT_FALSE(b->MouseIcon().IsPresent());
    EXPECT_EQ(b->Value(), 1);
    EXPECT_EQ(b->Caption(), L"ButtonEx1");
    EXPECT_EQ(b->TransparentColor(), 0x00FF0000u);
    EXPECT_EQ(b->BackColor(), 0x8000000Fu);
    EXPECT_TRUE(b->Enabled());
    EXPECT_EQ(TA::State(*b), buttonex::Up);
    EXPECT_EQ(b->Font(), host.AmbientFont());  // the ambient font object itself
    // Appearance 2 without a SkinUp reference still draws the face.
    b->SetAppearance(2);
    EXPECT_FALSE(b->ShapeMode());
    b->SetSkinUp(ui::Picture::Empty());
    EXPECT_TRUE(b->ShapeMode());
}

TEST_F(Persist, TransparentColourIsRecordedTwiceAndNamesMatchInAnyCase) {
    button->SetTransparentColor(0x00FFC0C0);
    button->SetCaption(L"Go");
    const auto bytes = host.Save(*button);
    EXPECT_EQ(names(bytes),
              (std::vector<std::string>{"_extentx", "_extenty", "caption", "transparentcolor", "transparentcolor"}));
    // Upper-case names in the stored bytes are found all the same.
    auto upper = bytes;
    for (size_t i = 0; i + 7 <= upper.size(); ++i)
        if (std::string(upper.begin() + static_cast<long>(i), upper.begin() + static_cast<long>(i) + 7) == "caption")
            for (size_t k = 0; k < 7; ++k) upper[i + k] = static_cast<uint8_t>(toupper(upper[i + k]));
    auto b = loaded(upper);
    EXPECT_EQ(b->Caption(), L"Go");
    EXPECT_EQ(b->TransparentColor(), 0x00FFC0C0u);
}

TEST_F(Persist, DamagedStoresStopAtThePropertyAndKeepTheOnesBefore) {
    store::PropertyStore s;
    s.Append("AllowDefault", false);
    s.Append("AllowFocus", false);
    s.Append("Appearance", int32_t{0});
    s.Append("Caption", std::u16string(u"kept?"));
    auto bytes = s.ToBytes();
    bytes.resize(bytes.size() - 3);  // the caption record is cut short
    std::optional<buttonex::PropertyError> error;
    auto b = loaded(bytes, &error);
    ASSERT_TRUE(error);
    // Read order is alphabetical: the three before BackColor came through.
    EXPECT_EQ(error->property, "BackColor");
    EXPECT_FALSE(b->AllowDefault());
    EXPECT_FALSE(b->AllowFocus());
    EXPECT_EQ(b->Appearance(), 0);
    EXPECT_NE(b->Caption(), L"kept?");
    EXPECT_TRUE(IsWindow(b->hWnd()));

    // A value of the wrong type, and a picture record that is no image.
    store::PropertyStore t;
    t.Append("appearance", int32_t{2});
    t.Append("caption", int32_t{5});
    auto c = loaded(t.ToBytes(), &error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->property, "Caption");
    EXPECT_EQ(c->Appearance(), 2);
    store::PropertyStore u;
    u.Append("picture", store::PictureRecord{{'B', 'M', 0, 0, 0}});
    u.Append("value", int32_t{0});
    auto d = loaded(u.ToBytes(), &error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->property, "Picture");
    EXPECT_EQ(d->Value(), 1);  // reading starts with Value 1; the stored 0 was never reached
    // Garbage that is no store at all.
    const std::vector<uint8_t> junk(100, 0xEE);
    auto e = loaded(junk, &error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->property, "AllowDefault");
}

TEST_F(Persist, DisplayAsDefaultIsMatchedExactly) {
    TA::HasFocus(*button) = true;
    TA::Redraw(*button, buttonex::Over);
    const COLORREF overEdge = button->Surface().Pixel(1, 1);
    TA::State(*button) = buttonex::Down;  // a repaint now would show the pressed face
    button->AmbientChanged(L"displayasdefault");
    EXPECT_TRUE(TA::HasFocus(*button));
    EXPECT_EQ(button->Surface().Pixel(1, 1), overEdge);  // not repainted
    host.SetDisplayAsDefault(*button, true);  // flag True: keeps the focus, repaints
    EXPECT_TRUE(TA::HasFocus(*button));
    EXPECT_NE(button->Surface().Pixel(1, 1), overEdge);
    host.SetDisplayAsDefault(*button, false);
    EXPECT_FALSE(TA::HasFocus(*button));
}

// ---------------------------------------------------------------- the About box's stores

std::string resources() {
    std::string dir = std::string("Z:") + TOLLVANE_SOURCE_DIR + "/resources";
    for (char& ch : dir)
        if (ch == '/') ch = '\\';
    return dir;
}

TEST_F(Persist, CommittedAboutStoresAreWhatWritePropertiesMakes) {
    for (const auto& [name, file] : {std::pair{"sysinfo", "about-bSysInfo.store"}, std::pair{"exit", "about-bExit.store"}}) {
        std::string error;
        const auto made = MakeAboutButtonStore(resources(), name, &error);
        ASSERT_FALSE(made.empty()) << error;
        const auto committed = ReadWholeFile(resources() + "\\" + file);
        EXPECT_EQ(committed, made) << file << " is stale: run make_about_buttons";
        EXPECT_EQ(names(made), (std::vector<std::string>{"_extentx", "_extenty", "appearance", "caption",
                                                         "captionoffsetx", "captionoffsety", "font",
                                                         "transparentcolor", "skindown", "skinover", "skinup",
                                                         "transparentcolor"}));
        const auto records = store::Decode(made).records;
        EXPECT_EQ(records[0].value, store::Value(int32_t{1455}));
        EXPECT_EQ(records[1].value, store::Value(int32_t{820}));
        EXPECT_EQ(records[4].value, store::Value(int32_t{-3}));
        EXPECT_EQ(records[7].value, store::Value(int32_t{16761024}));
        const auto& font = std::get<store::FontRecord>(records[6].value);
        EXPECT_EQ(font.face, u"MS Sans Serif");
        EXPECT_EQ(font.sizeCy, 82500);
        EXPECT_EQ(font.weight, FW_NORMAL);

        // Hosted, the stored button is its 55 x 31 skin, cut to its shape.
        auto b = loaded(made);
        EXPECT_EQ(b->Surface().Width(), 55);
        EXPECT_EQ(b->Surface().Height(), 31);
        EXPECT_EQ(b->WidthTwips(), 825);
        EXPECT_EQ(b->HeightTwips(), 465);
        EXPECT_TRUE(b->ShapeMode());
        const auto bmp = ReadWholeFile(resources() + "\\skin-" + name + "-up.bmp");
        const auto up = ui::Picture::FromFileBytes(bmp.data(), bmp.size());
        EXPECT_EQ(fileOf(b->SkinUp()), fileOf(up));
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(b->hWnd(), rgn), ERROR);
        EXPECT_FALSE(PtInRegion(rgn, 0, 0));  // the corner is the transparent colour
        EXPECT_TRUE(PtInRegion(rgn, 27, 15));
        DeleteObject(rgn);
    }
}

}  // namespace
}  // namespace bxtest
