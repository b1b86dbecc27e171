// The drawn face, skins, pictures, caption and highlight, read back from the
// button's surface pixels and its window region under Wine.
#include <ole2.h>

#include "buttonex/ButtonExFixture.h"
#include "controls/buttonex/ButtonExGdi.h"
#include "support/WinTest.h"

namespace bxtest {
namespace {

using buttonex::Disabled;
using buttonex::Down;
using buttonex::Focus;
using buttonex::Over;
using buttonex::TA;
using buttonex::Up;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlack = 0;
constexpr COLORREF kKey = RGB(0, 0, 255);  // the default TransparentColor (pure blue)

class Face : public ButtonExTest {
protected:
    // The mono frame is drawn in the platform's window-frame colour (black on Windows).
    COLORREF Frame() const { return GetSysColor(COLOR_WINDOWFRAME); }
    // Dots of the focus rectangle along row 4, between its ends.
    int focusDots() const {
        int n = 0;
        for (int x = 4; x < W() - 4; ++x)
            if (at(x, 4) != FaceColour()) ++n;
        return n;
    }
    COLORREF at(int x, int y) const { return button->Surface().Pixel(x, y); }
    int W() const { return button->Surface().Width(); }
    int H() const { return button->Surface().Height(); }
    // New buttons hold empty state pictures, which hide the picture in those
    // states; these tests want the plain Picture in every state.
    void noStatePictures() {
        button->SetPictureDown(ui::Picture());
        button->SetPictureOver(ui::Picture());
        button->SetPictureDisabled(ui::Picture());
        button->SetPictureFocus(ui::Picture());
    }
    int textWidth(const char* text) const {
        SIZE s{};
        GetTextExtentPoint32A(button->hdc(), text, static_cast<int>(strlen(text)), &s);
        return s.cx;
    }
    void show(int32_t appearance, int32_t border, int32_t state, bool focus = false) {
        button->SetCaption(L"");
        button->SetAppearance(appearance);
        button->SetBorderStyle(border);
        TA::HasFocus(*button) = focus;
        TA::Redraw(*button, state);
    }
};

TEST_F(Face, NewButtonIsEightyByTwentyFourPixelsWithRaisedEdge) {
    EXPECT_EQ(W(), 80);
    EXPECT_EQ(H(), 24);
    EXPECT_EQ(button->WidthTwips(), 1200);
    EXPECT_EQ(button->HeightTwips(), 360);
    EXPECT_EQ(button->Caption(), L"ButtonEx1");
    EXPECT_EQ(TA::State(*button), Up);
    show(1, 1, Up);
    // EDGE_RAISED: light outer and highlight inner top-left, dark outer and shadow inner bottom-right.
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(at(1, 1), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(at(W() - 1, H() - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(W() - 2, H() - 2), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(W() / 2, H() / 2), FaceColour());
}

TEST_F(Face, EdgeTableAcrossStatesAndStyles) {
    struct Case {
        int32_t appearance, border, state;
        COLORREF topLeft;  // COLOR_* index, or -1 for the face colour (no edge)
        int index;
    };
    const Case cases[] = {
        {1, 1, Down, 0, COLOR_3DSHADOW},     // EDGE_SUNKEN
        {1, 0, Up, 0, -1},                   // borderless: nothing in Up
        {1, 0, Down, 0, -1},                 // ...nor in Down
        {1, 0, Over, 0, COLOR_3DLIGHT},      // ...but a raised edge under the pointer
        {0, 1, Up, 0, -1},                   // flat, not style 4: nothing
        {1, 3, Up, 0, COLOR_3DHILIGHT},      // BDR_RAISEDINNER
        {1, 3, Down, 0, COLOR_3DSHADOW},     // BDR_SUNKENOUTER
        {1, 1, Disabled, 0, -1},             // no edge for Disabled
        {1, 1, Focus, 0, -1},                // nor for Focus
        {1, 1, 7, 0, -1},                    // nor for a state outside the table
    };
    for (const Case& c : cases) {
        show(c.appearance, c.border, c.state);
        const COLORREF want = c.index < 0 ? FaceColour() : GetSysColor(c.index);
        EXPECT_EQ(at(0, 0), want) << "appearance " << c.appearance << " border " << c.border << " state " << c.state;
        EXPECT_EQ(TA::State(*button), c.state);
    }
    // Bump and etched (style 2) differ from the plain edges at the second ring.
    show(1, 2, Up);
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(at(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    show(1, 2, Down);
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(1, 1), GetSysColor(COLOR_3DHILIGHT));
}

TEST_F(Face, DefaultFrameFlatFrameAndFocusRectangle) {
    // In a designer the focus look never shows.
    host.SetUserMode(false);
    show(1, 1, Up, true);
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DLIGHT));
    host.SetUserMode(true);

    show(1, 1, Up, true);
    EXPECT_EQ(at(0, 0), Frame());                      // default frame
    EXPECT_EQ(at(W() - 1, H() - 1), Frame());
    EXPECT_EQ(at(W() / 2, 0), Frame());
    EXPECT_EQ(at(1, 1), GetSysColor(COLOR_3DLIGHT));   // the edge inside it
    EXPECT_GE(focusDots(), (W() - 8) / 2 - 1);         // focus rectangle, inset by 4
    EXPECT_EQ(at(3, 3), FaceColour());

    button->SetAllowDefault(false);
    show(1, 1, Up, true);
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_GE(focusDots(), (W() - 8) / 2 - 1);

    button->SetAllowFocus(false);
    show(1, 1, Up, true);
    EXPECT_EQ(focusDots(), 0);

    // Pressed with focus: the frame and a flat sunken border (shadow ring).
    button->SetAllowDefault(true);
    show(1, 1, Down, true);
    EXPECT_EQ(at(0, 0), Frame());
    EXPECT_EQ(at(1, 1), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(W() - 2, H() - 2), GetSysColor(COLOR_3DSHADOW));

    // A borderless button shows nothing in Up even with focus: no focus rectangle.
    button->SetAllowFocus(true);
    show(1, 0, Up, true);
    EXPECT_EQ(focusDots(), 0);
    EXPECT_EQ(at(0, 0), FaceColour());
    // ...but pressed it does: the focus look does not depend on the edge there.
    show(1, 0, Down, true);
    EXPECT_GT(focusDots(), 0);

    // Appearance 0 with border style 4: a grey one-pixel frame.
    show(0, 4, Up);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(at(0, 0), grey);
    EXPECT_EQ(at(0, H() - 1), grey);
    EXPECT_EQ(at(W() - 1, H() / 2), grey);
    EXPECT_EQ(at(W() / 2, H() - 1), grey);
    EXPECT_EQ(at(1, 1), FaceColour());
}

// ---------------------------------------------------------------- skins

class Skins : public Face {
protected:
    void SetUp() override {
        Face::SetUp();
        button->SetCaption(L"");
        button->SetAppearance(2);
        button->SetTransparentColor(kKey);
        button->SetSkinDown(SolidPicture(100, 40, RGB(200, 0, 0)));
        button->SetSkinOver(SolidPicture(100, 40, RGB(0, 200, 0)));
        button->SetSkinDisabled(SolidPicture(100, 40, RGB(90, 90, 90)));
        // SkinUp: corners in the key colour, to be cut out of the window.
        button->SetSkinUp(MakePicture(100, 40, [](int x, int y) {
            return (x < 3 && y < 3) ? kKey : RGB(200, 200, 0);
        }));
    }
};

TEST_F(Skins, EachStateShowsItsSkinAndTheButtonTakesTheSkinSize) {
    EXPECT_EQ(W(), 100);
    EXPECT_EQ(H(), 40);
    const SIZE hm = button->SkinUp().Himetric();
    EXPECT_NEAR(hm.cx, 2646, 1);
    EXPECT_NEAR(hm.cy, 1058, 1);
    EXPECT_NEAR(button->WidthTwips(), 1503, 5);
    EXPECT_NEAR(button->HeightTwips(), 601, 5);

    TA::Redraw(*button, Up);
    EXPECT_EQ(at(50, 20), RGB(200, 200, 0));
    TA::Redraw(*button, Over);
    EXPECT_EQ(at(50, 20), RGB(0, 200, 0));
    TA::Redraw(*button, Down);
    EXPECT_EQ(at(50, 20), RGB(200, 0, 0));
    EXPECT_EQ(TA::State(*button), Down);
    // No SkinFocus: a focused Up shows SkinUp; with one, SkinFocus, and m_State stays Up.
    button->SetSkinFocus(ui::Picture());
    TA::HasFocus(*button) = true;
    TA::Redraw(*button, Up);
    EXPECT_EQ(at(50, 20), RGB(200, 200, 0));
    button->SetSkinFocus(SolidPicture(100, 40, RGB(0, 0, 120)));
    EXPECT_EQ(at(50, 20), RGB(0, 0, 120));
    EXPECT_EQ(TA::State(*button), Up);
    TA::HasFocus(*button) = false;
    // An absent state skin shows SkinUp.
    button->SetSkinOver(ui::Picture());
    TA::Redraw(*button, Over);
    EXPECT_EQ(at(50, 20), RGB(200, 200, 0));
    // Disabled: the disabled skin whatever is asked, and m_State says so.
    button->SetEnabled(false);
    TA::Redraw(*button, Over);
    EXPECT_EQ(at(50, 20), RGB(90, 90, 90));
    EXPECT_EQ(TA::State(*button), Disabled);
}

TEST_F(Skins, TransparentColourIsCutOutOfTheWindow) {
    TA::Redraw(*button, Up);
    EXPECT_TRUE(button->ShapeMode());
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(button->hWnd(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 2, 2));
    EXPECT_TRUE(PtInRegion(rgn, 3, 0));
    EXPECT_TRUE(PtInRegion(rgn, 50, 20));
    EXPECT_TRUE(PtInRegion(rgn, 99, 39));
    DeleteObject(rgn);
    // The drawn face has no shape.
    button->SetAppearance(1);
    EXPECT_FALSE(button->ShapeMode());
    rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(button->hWnd(), rgn), ERROR);
    DeleteObject(rgn);
}

TEST_F(Skins, AppearanceTwoWithoutSkinUpDrawsTheFaceButPlacesPicturesAtZero) {
    button->SetSkinUp(ui::Picture());
    button->SetPicture(SolidPicture(10, 10, kRed));
    EXPECT_FALSE(button->ShapeMode());
    EXPECT_EQ(W(), 100);  // keeps the size the skin gave it
    TA::Redraw(*button, Over);
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DLIGHT));  // the drawn face's Over edge
    TA::Redraw(*button, Up);
    const Box red = FindColour(*button, kRed);
    EXPECT_EQ(red.left, 0);
    EXPECT_EQ(red.top, H() / 2 - 5);
}

// ---------------------------------------------------------------- pictures

class Pictures : public Face {
protected:
    // A 12 x 12 picture: a key-coloured border of 2 pixels around a red block.
    static ui::Picture framed(COLORREF inside, COLORREF key = kKey) {
        return MakePicture(12, 12, [=](int x, int y) { return (x < 2 || y < 2 || x > 9 || y > 9) ? key : inside; });
    }
};

TEST_F(Pictures, KeyColourShowsTheFaceAndPressShiftsByOnePixel) {
    button->SetCaption(L"");
    noStatePictures();
    button->SetPicture(framed(kRed));
    // Drawn face: left base 6, top at least 6 (24 / 2 - 12 / 2 = 6).
    const Box up = FindColour(*button, kRed);
    EXPECT_EQ(up.left, 6 + 2);
    EXPECT_EQ(up.top, 6 + 2);
    EXPECT_EQ(up.width(), 8);
    EXPECT_EQ(at(6, 6), FaceColour());  // the key colour let the face through
    EXPECT_EQ(CountColour(*button, kKey), 0);

    TA::Redraw(*button, Down);
    const Box down = FindColour(*button, kRed);
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);

    button->SetPictureOffsetX(5);
    button->SetPictureOffsetY(-2);
    TA::Redraw(*button, Up);
    EXPECT_EQ(FindColour(*button, kRed).left, up.left + 5);
    EXPECT_EQ(FindColour(*button, kRed).top, up.top - 2);
}

TEST_F(Pictures, StatePicturesAndEmptyPictureHidesIt) {
    button->SetCaption(L"");
    button->SetPicture(framed(kRed));
    button->SetPictureOver(framed(kGreen));
    button->SetPictureDisabled(framed(RGB(0, 0, 128)));
    TA::Redraw(*button, Over);
    EXPECT_GT(CountColour(*button, kGreen), 0);
    EXPECT_EQ(CountColour(*button, kRed), 0);
    // PictureFocus shows only when Focus itself is asked for (and no edge is drawn then).
    button->SetPictureFocus(framed(RGB(128, 0, 128)));
    TA::HasFocus(*button) = true;
    TA::Redraw(*button, Up);
    EXPECT_GT(CountColour(*button, kRed), 0);
    button->SetValue(4);
    EXPECT_GT(CountColour(*button, RGB(128, 0, 128)), 0);
    TA::HasFocus(*button) = false;
    // A present but empty state picture hides the picture in that state.
    button->SetPictureOver(ui::Picture::Empty());
    TA::Redraw(*button, Over);
    EXPECT_EQ(CountColour(*button, kRed) + CountColour(*button, kGreen), 0);
    // Disabled: the disabled picture.
    button->SetEnabled(false);
    TA::Redraw(*button, Up);
    EXPECT_GT(CountColour(*button, RGB(0, 0, 128)), 0);
}

TEST_F(Pictures, TransparentColourMinusOneTakesThePixelAtOneOne) {
    button->SetCaption(L"");
    // The corner (0, 0) differs from (1, 1): only the (1, 1) colour is keyed out.
    button->SetPicture(MakePicture(12, 12, [](int x, int y) {
        if (x == 0 && y == 0) return kGreen;
        return (x < 2 || y < 2 || x > 9 || y > 9) ? RGB(10, 20, 30) : kRed;
    }));
    button->SetTransparentColor(0xFFFFFFFF);
    EXPECT_EQ(CountColour(*button, RGB(10, 20, 30)), 0);
    EXPECT_EQ(CountColour(*button, kGreen), 1);
    EXPECT_EQ(CountColour(*button, kRed), 64);
}

// ---------------------------------------------------------------- caption

class Caption : public Face {
protected:
    void SetUp() override {
        Face::SetUp();
        button->SetSizeTwips(120 * 15, 30 * 15);
        button->SetBorderStyle(0);
        button->SetForeColor(kBlack);
        button->SetHighlightColor(kRed);
    }
};

TEST_F(Caption, CentredWithoutAndBesideAPictureAndShiftedWhenDown) {
    noStatePictures();
    button->SetCaption(L"MMMM");
    const int tw = textWidth("MMMM");  // the platform's measure of the caption
    const Box text = FindColour(*button, kBlack);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.left, W() / 2 - tw / 2);
    EXPECT_NEAR((text.top + text.bottom) / 2.0, H() / 2.0, 3.0);

    // With a picture the caption is centred between its right edge and the face's.
    button->SetPicture(SolidPicture(30, 16, kGreen));
    const Box pic = FindColour(*button, kGreen);
    const Box beside = FindColour(*button, kBlack);
    EXPECT_EQ(pic.left, 6);
    EXPECT_EQ(beside.left, (pic.right + 1 + W()) / 2 - tw / 2);

    // Pressed: picture and caption both one pixel right and down, in the highlight colour.
    TA::Redraw(*button, Down);
    const Box pressed = FindColour(*button, kRed);
    EXPECT_EQ(pressed.left, beside.left + 1);
    EXPECT_EQ(pressed.top, beside.top + 1);
    EXPECT_EQ(FindColour(*button, kGreen).left, pic.left + 1);

    button->SetCaptionOffsetX(-3);
    button->SetCaptionOffsetY(-1);
    TA::Redraw(*button, Up);
    EXPECT_EQ(FindColour(*button, kBlack).left, beside.left - 3);
    EXPECT_EQ(FindColour(*button, kBlack).top, beside.top - 1);
}

TEST_F(Caption, HighlightColourGreyTextAndUnderlinedAccessKey) {
    button->SetCaption(L"Save");
    TA::Redraw(*button, Over);
    EXPECT_GT(CountColour(*button, kRed), 0);
    EXPECT_EQ(CountColour(*button, kBlack), 0);
    // Down while the pointer is still on the button: highlight; after it left, the
    // Down request is refused altogether, so the look stays as it was.
    TA::Redraw(*button, Down);
    EXPECT_GT(CountColour(*button, kRed), 0);
    TA::LastHover(*button) = "MouseExit";
    TA::Redraw(*button, Up);
    EXPECT_GT(CountColour(*button, kBlack), 0);
    TA::Redraw(*button, Down);
    EXPECT_EQ(TA::State(*button), Up);
    EXPECT_EQ(CountColour(*button, kRed), 0);
    TA::LastHover(*button) = "";

    button->SetBorderStyle(4);
    TA::Redraw(*button, Up);
    EXPECT_GT(CountColour(*button, GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(CountColour(*button, kBlack), 0);
    button->SetBorderStyle(0);

    TA::Redraw(*button, Up);
    const Box plain = FindColour(*button, kBlack);
    const int plainCount = CountColour(*button, kBlack);
    button->SetCaption(L"&Save");
    const Box marked = FindColour(*button, kBlack);
    EXPECT_EQ(marked.left, plain.left);  // measured without the "&": same place
    EXPECT_GT(CountColour(*button, kBlack), plainCount);
    EXPECT_GT(marked.bottom, plain.bottom);  // the underline below the S
    EXPECT_EQ(button->AccessKey(), L"S");

    // Disabled: embossed text, not the caption colour.
    button->SetEnabled(false);
    EXPECT_EQ(CountColour(*button, kBlack), 0);
}

// ---------------------------------------------------------------- highlight

class Highlight : public Face {};

TEST_F(Highlight, SilhouetteInOverAndDownWithHolesOfTheCornerColour) {
    button->SetCaption(L"");
    noStatePictures();
    const COLORREF corner = RGB(1, 2, 3);
    // A 14 x 14 picture: corner colour around a red block with a 2 x 2 hole of the corner colour.
    button->SetPicture(MakePicture(14, 14, [&](int x, int y) {
        if (x < 2 || y < 2 || x > 11 || y > 11) return corner;
        if (x >= 6 && x <= 7 && y >= 6 && y <= 7) return corner;
        return kRed;
    }));
    button->SetTransparentColor(corner);
    button->SetHighlightColor(kGreen);
    button->SetHighlightPicture(true);
    EXPECT_EQ(TA::State(*button), Disabled);  // the setter repaints as Disabled
    EXPECT_EQ(CountColour(*button, kRed), 96);
    EXPECT_EQ(CountColour(*button, kGreen), 0);

    for (int32_t state : {Over, Down}) {
        TA::Redraw(*button, state);
        EXPECT_EQ(CountColour(*button, kRed), 0);
        EXPECT_EQ(CountColour(*button, kGreen), 96) << state;
        const POINT at = TA::HolderAt(*button);
        EXPECT_EQ(button->Surface().Pixel(at.x + 6, at.y + 6), FaceColour());  // the hole
        EXPECT_EQ(button->Surface().Pixel(at.x + 1, at.y + 1), FaceColour());
        EXPECT_EQ(button->Surface().Pixel(at.x + 2, at.y + 2), kGreen);
    }
    // The default highlight colour is the button-text colour.
    button->SetHighlightColor(0x80000012);
    TA::Redraw(*button, Over);
    EXPECT_EQ(CountColour(*button, GetSysColor(COLOR_BTNTEXT)), 96);
}

TEST_F(Highlight, DrawHighlightTwiceOrThenClearLeavesNoRectangle) {
    TA::Redraw(*button, Up);
    std::vector<COLORREF> before;
    for (int y = 0; y < H(); ++y)
        for (int x = 0; x < W(); ++x) before.push_back(at(x, y));
    auto same = [&] {
        size_t i = 0;
        for (int y = 0; y < H(); ++y)
            for (int x = 0; x < W(); ++x)
                if (at(x, y) != before[i++]) return false;
        return true;
    };
    button->DrawHighlight();
    EXPECT_FALSE(same());
    int edgeDots = 0;  // along the very edge, not inset
    for (int x = 0; x < W(); ++x) edgeDots += at(x, 0) != before[static_cast<size_t>(x)];
    EXPECT_GE(edgeDots, W() / 2 - 1);
    button->DrawHighlight();
    EXPECT_TRUE(same());
    button->DrawHighlight();
    button->ClearHighlight();
    EXPECT_TRUE(same());
}

// ---------------------------------------------------------------- setters

TEST_F(Face, SettersRepaintOrNotAndNotifyUnderTheirOwnNames) {
    TA::Redraw(*button, Over);
    const COLORREF overEdge = at(0, 0);
    // These do not repaint: pixels remain what Over drew.
    TA::State(*button) = Up;
    button->SetPictureOver(SolidPicture(8, 8, kRed));
    button->SetToolTipText(L"tip");
    button->SetMousePointer(2);
    button->SetWhatsThisHelpID(7);
    button->SetOLEDropMode(1);
    EXPECT_EQ(at(0, 0), overEdge);
    EXPECT_EQ(CountColour(*button, kRed), 0);
    // This one does (with m_State: Up).
    button->SetCaptionOffsetX(1);
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(changed, (std::vector<std::string>{"PictureOver", "ToolTipText", "MousePointer", "WhatsThisHelpID",
                                                  "OLEDropMode", "CaptionOffsetX"}));
    // Value paints the value itself as the state; Enabled True resets to Up.
    button->SetValue(0);
    EXPECT_EQ(TA::State(*button), Down);
    button->SetStyle(1);
    EXPECT_EQ(TA::State(*button), Down);  // latched down whatever is asked
    TA::Redraw(*button, Over);
    EXPECT_EQ(TA::State(*button), Down);
    button->SetValue(1);
    TA::Redraw(*button, Over);
    EXPECT_EQ(TA::State(*button), Over);
    TA::Redraw(*button, Disabled);
    EXPECT_EQ(TA::State(*button), Up);
    button->SetStyle(0);
    TA::State(*button) = Over;
    button->SetEnabled(true);
    EXPECT_EQ(TA::State(*button), Up);
}

TEST_F(Face, AccessKeyFollowsTheCaption) {
    button->SetCaption(L"&Exit");
    EXPECT_EQ(button->AccessKey(), L"E");
    button->SetCaption(L"Exit");
    EXPECT_EQ(button->AccessKey(), L"E");
    button->SetCaption(L"Save && E&xit");
    EXPECT_EQ(button->AccessKey(), L"x");
    button->SetCaption(L"A&&B");
    EXPECT_EQ(button->AccessKey(), L"x");
    button->SetCaption(L"Exit&");
    EXPECT_EQ(button->AccessKey(), L"");
}

// ---------------------------------------------------------------- resources

TEST_F(Face, TenThousandRepaintsInEveryFaceModeGiveBackEveryObject) {
    button->SetCaption(L"&Go");
    noStatePictures();
    button->SetPicture(MakePicture(12, 12, [](int x, int) { return x < 2 ? kKey : kRed; }));
    TA::Redraw(*button, Up);
    const long live = buttonex::gdi::LiveObjects();
    const auto skin = SolidPicture(30, 20, RGB(0, 100, 0));
    for (int mode = 0; mode < 4; ++mode) {
        if (mode == 1) button->SetHighlightPicture(true);       // silhouette in Over and Down
        if (mode == 2) {                                         // skins
            button->SetHighlightPicture(false);
            button->SetAppearance(2);
            button->SetSkinUp(skin);
        }
        if (mode == 3) button->SetSkinOver(MakePicture(30, 20, [](int x, int) { return x < 3 ? kKey : kGreen; }));
        const ULONGLONG start = GetTickCount64();
        for (int i = 0; i < 2500; ++i) TA::Redraw(*button, i % 3 == 0 ? Over : (i % 3 == 1 ? Down : Up));
        const double us = static_cast<double>(GetTickCount64() - start) * 1000.0 / 2500;
        RecordProperty("redraw_us_mode" + std::to_string(mode), static_cast<int>(us));
        printf("repaint mode %d: %.0f us per Redraw\n", mode, us);
        EXPECT_EQ(buttonex::gdi::LiveObjects(), live) << "mode " << mode;
    }
    // The platform agrees: a region per shape change at most, and DCs still come.
    HDC probe = CreateCompatibleDC(nullptr);
    EXPECT_NE(probe, nullptr);
    DeleteDC(probe);
}

}  // namespace
}  // namespace bxtest
