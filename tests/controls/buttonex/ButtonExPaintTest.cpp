// The drawn face, skins, pictures, caption and highlight, read back from the
// button's surface pixels and its window region under Wine.
#include "controls/buttonex/ButtonExFixture.h"
#include "support/WinTest.h"
#include "base/Handles.h"

namespace bxtest {
namespace {

using namespace buttonex;  // the states
using wintest::Box;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlack = 0;
constexpr COLORREF kKey = RGB(0, 0, 255);  // the default TransparentColor
const COLORREF kFace = GetSysColor(COLOR_BTNFACE);

class ButtonExPaint : public ButtonExTest {
protected:
    // A plain face: no caption, and none of the empty state pictures a new
    // button holds (they would hide the Picture in their states).
    void SetUp() override {
        ButtonExTest::SetUp();
        button->SetCaption(L"");
        for (auto set : {&ButtonEx::SetPictureDown, &ButtonEx::SetPictureOver, &ButtonEx::SetPictureDisabled,
                         &ButtonEx::SetPictureFocus})
            ((*button).*set)(ui::Picture());
    }
    // Where, and how often, a colour shows on the button's surface.
    wintest::Pixels pixels() const { return wintest::DibPixels(button->Surface().Bits(), W(), H()); }
    Box find(COLORREF c) const { return wintest::FindColour(pixels(), c); }
    std::pair<int, int> topLeft(COLORREF c) const {
        const Box b = find(c);
        return {b.left, b.top};
    }
    // Where a caption's ink falls when its text origin is (x, y): the same text drawn
    // as the button draws it (its font, DrawState with a prefix) on a blank surface of
    // the button's size. Glyphs differ from font to font; the origin does not.
    Box inkAt(const char* text, int x, int y) const {
        return wintest::FindColour(
            wintest::DrawnPixels(W(), H(),
                                 [&](HDC dc) {
                                     base::SelectedObject font(dc, GetCurrentObject(button->hdc(), OBJ_FONT));
                                     RECT all{0, 0, W(), H()};
                                     FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                                     SetTextColor(dc, kBlack);
                                     SetBkMode(dc, TRANSPARENT);
                                     DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text),
                                                static_cast<WPARAM>(strlen(text)), x, y, 0, 0, DST_PREFIXTEXT);
                                 }),
            kBlack);
    }
    // How far right of its text origin a caption's ink begins.
    int bearing(const char* text) const { return inkAt(text, 8, 0).left - 8; }
    // The caption's text origin, found from where its ink falls.
    int textLeft(const char* text) const { return find(kBlack).left - bearing(text); }
    COLORREF at(int x, int y) const { return button->Surface().Pixel(x, y); }
    void redraw(int32_t state) { TA::Redraw(*button, state); }
    COLORREF centreIn(int32_t state) { return redraw(state), at(50, 20); }
    // A 12 x 12 picture: a 2-pixel border of the key colour around a block.
    static ui::Picture framed(COLORREF inside) {
        return MakePicture(12, 12, [=](int x, int y) { return (x < 2 || y < 2 || x > 9 || y > 9) ? kKey : inside; });
    }
};

TEST_F(ButtonExPaint, DrawnFaceEdgesFramesAndFocusRectangleByStyleAndState) {
    enum : unsigned { F = 1, NoDefault = 2, NoFocus = 4, Designer = 8 };
    constexpr int Face = -1, Frame = -2, Any = -3;  // or a COLOR_* index
    struct Case {
        int32_t appearance, border, state;
        unsigned flags;
        int want[4];
        bool dots;
    };
    const Case cases[] = {
        // colours at (0,0), (1,1), (W-2,H-2), (W-1,H-1); focus rectangle dots
        {1, 1, Up, 0, {COLOR_3DLIGHT, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW}, false},    // raised
        {1, 1, Down, 0, {COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DHILIGHT}, false},  // sunken
        {1, 2, Up, 0, {COLOR_3DLIGHT, COLOR_3DDKSHADOW, Any, Any}, false},                           // bump
        {1, 3, Up, 0, {COLOR_3DHILIGHT, Face, Any, COLOR_3DSHADOW}, false},                          // thin raised
        {1, 0, Down, 0, {Face, Face, Face, Face}, false},  // borderless: nothing at rest or pressed...
        {1, 0, Over, 0, {COLOR_3DLIGHT, Any, Any, COLOR_3DDKSHADOW}, false},  // ...but raised under the pointer
        {0, 1, Up, 0, {Face, Face, Face, Face}, false},                       // flat
        {0, 4, Up, 0, {COLOR_GRAYTEXT, Face, Face, COLOR_GRAYTEXT}, false},   // flat with a grey frame
        {1, 1, Disabled, 0, {Face, Face, Face, Face}, false},
        {1, 1, Up, F, {Frame, COLOR_3DLIGHT, COLOR_3DDKSHADOW, Frame}, true},  // default frame outside the edge
        {1, 1, Up, F | Designer, {COLOR_3DLIGHT, Any, Any, COLOR_3DDKSHADOW}, false},
        {1, 1, Up, F | NoDefault, {COLOR_3DLIGHT, Any, Any, COLOR_3DDKSHADOW}, true},
        {1, 1, Down, F | NoFocus, {Frame, COLOR_3DSHADOW, COLOR_3DSHADOW, Frame}, false},  // flat pressed ring
        {1, 0, Up, F, {Face, Face, Face, Face}, false},  // nothing drawn at rest: no focus rectangle either
        {1, 0, Down, F, {Any, Any, Any, Any}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "appearance/border/state/flags " << c.appearance << c.border << c.state
                                        << c.flags);
        host.SetUserMode(!(c.flags & Designer));
        button->SetAllowDefault(!(c.flags & NoDefault));
        button->SetAllowFocus(!(c.flags & NoFocus));
        button->SetAppearance(c.appearance);
        button->SetBorderStyle(c.border);
        TA::HasFocus(*button) = c.flags & F;
        redraw(c.state);
        for (int i = 0, x[] = {0, 1, W() - 2, W() - 1}, y[] = {0, 1, H() - 2, H() - 1}; i < 4; ++i)
            if (c.want[i] != Any) {
                EXPECT_EQ(at(x[i], y[i]),
                          c.want[i] == Face ? kFace : GetSysColor(c.want[i] == Frame ? COLOR_WINDOWFRAME : c.want[i]));
            }
        int dots = 0;  // along row 4, inside the rectangle's ends
        for (int i = 4; i < W() - 4; ++i) dots += at(i, 4) != kFace;
        EXPECT_TRUE(c.dots ? dots >= (W() - 8) / 2 - 1 : dots == 0) << dots;
        EXPECT_EQ(TA::State(*button), c.state);
    }
}

TEST_F(ButtonExPaint, EachStateShowsItsSkinAndTheKeyColourIsCutOutOfTheWindow) {
    const COLORREF yellow = RGB(200, 200, 0), grey = RGB(90, 90, 90), navy = RGB(0, 0, 120), red = RGB(200, 0, 0),
                   green = RGB(0, 200, 0);
    button->SetAppearance(2);
    button->SetSkinDown(SolidPicture(100, 40, red));
    button->SetSkinOver(SolidPicture(100, 40, green));
    button->SetSkinDisabled(SolidPicture(100, 40, grey));
    button->SetSkinUp(MakePicture(100, 40, [&](int x, int y) { return (x < 3 && y < 3) ? kKey : yellow; }));
    EXPECT_EQ(std::pair(W(), H()), std::pair(100, 40));  // the skin's size
    auto inWindow = [&](int x, int y) {
        const base::UniqueRegion rgn(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(button->hWnd(), rgn.get()) != ERROR && PtInRegion(rgn.get(), x, y);
    };
    EXPECT_TRUE(button->ShapeMode());
    EXPECT_FALSE(inWindow(0, 0) || inWindow(2, 2));
    EXPECT_TRUE(inWindow(3, 0) && inWindow(99, 39));
    EXPECT_EQ((std::vector{centreIn(Up), centreIn(Over), centreIn(Down)}), (std::vector{yellow, green, red}));
    // Focused: SkinUp while there is no SkinFocus, then SkinFocus, still in state Up.
    button->SetSkinFocus(ui::Picture());
    TA::HasFocus(*button) = true;
    EXPECT_EQ(centreIn(Up), yellow);
    button->SetSkinFocus(SolidPicture(100, 40, navy));
    EXPECT_EQ(at(50, 20), navy);
    EXPECT_EQ(TA::State(*button), Up);
    TA::HasFocus(*button) = false;
    button->SetSkinOver(ui::Picture());  // a missing state skin: SkinUp
    EXPECT_EQ(centreIn(Over), yellow);
    button->SetEnabled(false);  // disabled: its skin whatever is asked
    EXPECT_EQ(centreIn(Over), grey);
    EXPECT_EQ(TA::State(*button), Disabled);
    button->SetEnabled(true);
    // Skinned without a SkinUp: the drawn face at the size it had, no shape, pictures from the left edge.
    button->SetSkinUp(ui::Picture());
    button->SetPicture(SolidPicture(10, 10, kRed));
    EXPECT_FALSE(button->ShapeMode() || inWindow(50, 20));
    EXPECT_EQ(W(), 100);
    redraw(Over);
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(topLeft(kRed), std::pair(0, H() / 2 - 5));
}

TEST_F(ButtonExPaint, PictureKeyColourShowsTheFacePressShiftsByOneAndStatePicturesReplaceIt) {
    button->SetPicture(framed(kRed));
    EXPECT_EQ(find(kRed).count, 64);
    EXPECT_EQ(topLeft(kRed), std::pair(6 + 2, 6 + 2));  // drawn face: 6 from the left, centred (24 / 2 - 12 / 2)
    EXPECT_EQ(at(6, 6), kFace);
    redraw(Down);
    EXPECT_EQ(topLeft(kRed), std::pair(9, 9));
    button->SetPictureOffsetX(5);
    button->SetPictureOffsetY(-2);
    redraw(Up);
    EXPECT_EQ(topLeft(kRed), std::pair(8 + 5, 8 - 2));
    // A state picture replaces it; PictureFocus only when Focus itself is asked for; an empty one hides it.
    const COLORREF navy = RGB(0, 0, 128), purple = RGB(128, 0, 128);
    button->SetPictureOver(framed(kGreen));
    button->SetPictureDisabled(framed(navy));
    button->SetPictureFocus(framed(purple));
    TA::HasFocus(*button) = true;
    for (auto [state, want] : {std::pair{Over, kGreen}, {Up, kRed}, {Focus, purple}})
        EXPECT_EQ((redraw(state), find(want).count), 64) << state;
    TA::HasFocus(*button) = false;
    button->SetPictureOver(ui::Picture::Empty());
    redraw(Over);
    EXPECT_EQ(find(kRed).count + find(kGreen).count, 0);
    button->SetEnabled(false);
    EXPECT_EQ(find(navy).count, 64);
    // TransparentColor -1: the colour of the picture's pixel at (1, 1) is the key.
    button->SetEnabled(true);
    button->SetPictureOver(ui::Picture());
    button->SetPicture(MakePicture(12, 12, [](int x, int y) { return (x == 1 && y == 1) || x > 9 ? kGreen : kRed; }));
    button->SetTransparentColor(0xFFFFFFFF);
    redraw(Up);
    EXPECT_EQ(find(kGreen).count, 0);
    EXPECT_EQ(find(kRed).count, 12 * 12 - 1 - 2 * 12);
}

TEST_F(ButtonExPaint, CaptionPlacementColoursAndAccessKey) {
    button->SetSizeTwips(120 * 15, 30 * 15);
    button->SetBorderStyle(0);
    button->SetForeColor(kBlack);
    button->SetHighlightColor(kRed);
    button->SetCaption(L"MMMM");
    SIZE text{};  // the platform's own measure of the caption
    GetTextExtentPoint32A(button->hdc(), "MMMM", 4, &text);
    EXPECT_EQ(textLeft("MMMM"), W() / 2 - text.cx / 2);
    button->SetPicture(SolidPicture(30, 16, kGreen));     // centred between the picture's right edge and the face's
    const Box pic = find(kGreen), beside = find(kBlack);  // where the picture goes: the picture test
    EXPECT_EQ(textLeft("MMMM"), (pic.right + 1 + W()) / 2 - text.cx / 2);
    for (int32_t state : {Over, Down}) {  // the highlight colour; pressed, one right and down
        redraw(state);
        const int shift = state == Down;
        EXPECT_EQ(find(kBlack).count, 0);
        EXPECT_EQ(topLeft(kRed), std::pair(beside.left + shift, beside.top + shift));
    }
    button->SetCaptionOffsetX(-3);
    button->SetCaptionOffsetY(-1);
    redraw(Up);
    EXPECT_EQ(topLeft(kBlack), std::pair(beside.left - 3, beside.top - 1));
    button->SetBorderStyle(4);  // flat framed: grey text
    EXPECT_GT(find(GetSysColor(COLOR_GRAYTEXT)).count, 0);
    EXPECT_EQ(find(kBlack).count, 0);
    button->SetBorderStyle(0);
    const Box plain = find(kBlack);
    button->SetCaption(L"&MMMM");
    // Measured without the "&": the same origin, with the underline below the first M.
    const Box reference = inkAt("MMMM", 8, 8);
    const Box marked = find(kBlack),
              expected = inkAt("&MMMM", plain.left - reference.left + 8, plain.top - reference.top + 8);
    EXPECT_EQ(std::pair(marked.left, marked.bottom), std::pair(expected.left, expected.bottom));
    EXPECT_GT(marked.bottom, plain.bottom);
    EXPECT_EQ(button->AccessKey(), L"M");
    button->SetEnabled(false);  // embossed, not the caption colour
    EXPECT_EQ(find(kBlack).count, 0);
}

TEST_F(ButtonExPaint, HighlightSilhouetteInOverAndDownKeepsTheHoles) {
    const COLORREF corner = RGB(1, 2, 3);
    // 14 x 14: the corner colour around a red block with a 2 x 2 hole of the corner colour.
    button->SetPicture(MakePicture(14, 14, [&](int x, int y) {
        return (x < 2 || y < 2 || x > 11 || y > 11 || (x >= 6 && x <= 7 && y >= 6 && y <= 7)) ? corner : kRed;
    }));
    button->SetTransparentColor(corner);
    button->SetHighlightColor(kGreen);
    button->SetHighlightPicture(true);
    EXPECT_EQ(find(kRed).count, 96);
    for (int32_t state : {Over, Down}) {
        redraw(state);
        const Box b = find(kGreen);
        EXPECT_EQ(std::pair(find(kRed).count, b.count), std::pair(0, 96)) << state;
        EXPECT_EQ((std::vector{at(b.left + 4, b.top + 4), at(b.left - 1, b.top - 1), at(b.left, b.top)}),
                  (std::vector{kFace, kFace, kGreen}));  // the hole, outside, the silhouette
    }
    // The dotted rectangle comes with one call and goes with the next, or with ClearHighlight.
    const auto plain = pixels().colours;
    button->DrawHighlight();
    EXPECT_NE(pixels().colours, plain);
    button->DrawHighlight();
    EXPECT_EQ(pixels().colours, plain);
    button->DrawHighlight();
    button->ClearHighlight();
    EXPECT_EQ(pixels().colours, plain);
}

}  // namespace
}  // namespace bxtest
