// The button's arithmetic and decisions, natively under the sanitizers.
#include <gtest/gtest.h>

#include "controls/buttonex/ButtonExLayout.h"
#include "controls/buttonex/SkinShape.h"

namespace buttonex {
namespace {

using namespace layout;

TEST(Layout, RoundingHalvesToEvenAndDivisionTruncates) {
    EXPECT_EQ(CLng(2.5), 2);
    EXPECT_EQ(CLng(3.5), 4);
    EXPECT_EQ(CLng(-2.5), -2);
    EXPECT_EQ(CLng(1503.4), 1503);
    EXPECT_EQ(CLng(1e12), INT32_MAX);
    EXPECT_EQ(CLng(-1e12), INT32_MIN);
    EXPECT_EQ(IDiv(-7, 2), -3);
    EXPECT_EQ(IDiv(7, 0), 0);
    EXPECT_EQ(IDiv(INT32_MIN, -1), INT32_MAX);
}

TEST(Layout, AccessKeyRule) {
    EXPECT_EQ(FindAccessKey(L"&Exit"), std::optional<std::wstring>(L"E"));
    EXPECT_EQ(FindAccessKey(L"Save && E&xit"), std::optional<std::wstring>(L"x"));
    EXPECT_EQ(FindAccessKey(L"A&&B"), std::nullopt);
    EXPECT_EQ(FindAccessKey(L"Exit"), std::nullopt);
    EXPECT_EQ(FindAccessKey(L"Exit&"), std::optional<std::wstring>(L""));
    EXPECT_EQ(FindAccessKey(L"&&&"), std::optional<std::wstring>(L""));
    EXPECT_EQ(MeasuredCaption(L"&Save"), L"Save");
    EXPECT_EQ(MeasuredCaption(L"A&&B"), L"A&B");
    EXPECT_EQ(MeasuredCaption(L"a&b&c"), L"ab&c");
}

TEST(Layout, ToggleAndSlots) {
    for (int32_t s : {0, 1, 2, 3, 4, 9}) {
        EXPECT_EQ(ApplyToggle(s, 0, 0), s);
        EXPECT_EQ(ApplyToggle(s, 1, 0), Down);
        EXPECT_EQ(ApplyToggle(s, 1, 5), s == Over ? Over : Up);
    }
    EXPECT_EQ(SlotFor(Focus), Slot::Focus);
    EXPECT_EQ(SlotFor(-1), Slot::Up);
    EXPECT_EQ(SlotFor(5), Slot::Up);
}

TEST(Layout, StandardFacePlans) {
    // Over: raised edge even when flat or borderless; default frame with focus.
    FacePlan p = PlanStandardFace(Over, true, true, true, 0, 0);
    EXPECT_TRUE(p.defaultFrame);
    EXPECT_EQ(p.edge, 5u);
    EXPECT_TRUE(p.focusRect);
    // Up with nothing drawn: no focus rectangle either.
    p = PlanStandardFace(Up, true, true, true, 1, 0);
    EXPECT_FALSE(p.defaultFrame || p.edge || p.flatFrame || p.focusRect);
    p = PlanStandardFace(Up, true, true, true, 0, 4);
    EXPECT_TRUE(p.flatFrame && p.defaultFrame && p.focusRect);
    EXPECT_EQ(p.edge, 0u);
    // Down with focus: frame and flat sunken border; without: the style's sunken edge.
    p = PlanStandardFace(Down, true, true, false, 1, 2);
    EXPECT_TRUE(p.defaultFrame);
    EXPECT_EQ(p.edge, 2u);
    EXPECT_EQ(p.edgeFlags, 0x400Fu);
    EXPECT_FALSE(p.focusRect);
    p = PlanStandardFace(Down, false, true, true, 1, 2);
    EXPECT_EQ(p.edge, 6u);
    EXPECT_EQ(p.edgeFlags, 0x0Fu);
    EXPECT_EQ(PlanStandardFace(Down, true, true, true, 1, 0).edge, 0u);
    EXPECT_TRUE(PlanStandardFace(Down, true, true, true, 1, 0).focusRect);
    EXPECT_EQ(PlanStandardFace(Disabled, true, true, true, 1, 1).edge, 0u);
    EXPECT_EQ(EdgesFor(3).raised, 4u);
    EXPECT_EQ(EdgesFor(-1).sunken, 10u);
    EXPECT_EQ(EdgesFor(5).raised, 5u);
}

TEST(Layout, PictureAndCaptionPlacement) {
    // Drawn face: at least 6 from the top and left; skins from 0; pressed +1.
    EXPECT_EQ(PicturePosition(Up, 1, 24, 32, 0, 0), (Point{6, 6}));
    EXPECT_EQ(PicturePosition(Up, 1, 40, 10, 0, 0), (Point{6, 15}));
    EXPECT_EQ(PicturePosition(Up, 2, 24, 32, 0, 0), (Point{0, 0}));
    EXPECT_EQ(PicturePosition(Down, 2, 31, 11, -2, 3), (Point{-1, 15 - 5 + 1 + 3}));

    CaptionInput in;
    in.sw = 55;
    in.sh = 31;
    in.textWidth = 25;
    in.textHeight = 13;
    EXPECT_EQ(CaptionPosition(in), (Point{27 - 12, 15 - 6}));
    in.offsetX = -3;
    in.offsetY = -1;
    EXPECT_EQ(CaptionPosition(in), (Point{12, 8}));
    in.offsetX = in.offsetY = 0;
    // Beside a picture: centred between its right edge and the face's.
    in.holderHasImage = true;
    in.picturePresent = true;
    in.holderLeft = 6;
    in.holderWidth = 16;
    EXPECT_EQ(CaptionPosition(in).x, (55 + 22) / 2 - 12);
    // Pressed: the holder moved one right; the caption is placed from the released
    // layout and then moved one right and down itself.
    in.state = Down;
    in.holderLeft = 7;
    EXPECT_EQ(CaptionPosition(in), (Point{(55 + 22) / 2 - 12 + 1, 10}));
    // No image, but a Picture property present: the -1 still applies when pressed.
    in.holderHasImage = false;
    EXPECT_EQ(CaptionPosition(in).x, -1 + (27 - 12) + 1);
}

TEST(Layout, CaptionColourAndFlags) {
    EXPECT_EQ(ChooseCaptionColour(Up, 1, false), CaptionColour::Fore);
    EXPECT_EQ(ChooseCaptionColour(Up, 4, false), CaptionColour::Grey);
    EXPECT_EQ(ChooseCaptionColour(Over, 4, true), CaptionColour::Highlight);
    EXPECT_EQ(ChooseCaptionColour(Down, 1, false), CaptionColour::Highlight);
    EXPECT_EQ(ChooseCaptionColour(Down, 4, true), CaptionColour::Grey);
    EXPECT_EQ(CaptionFlags(true, false), 0x2u);
    EXPECT_EQ(CaptionFlags(false, true), 0x8022u);
}

TEST(Layout, UnitsAndInsideTest) {
    EXPECT_NEAR(SkinTwips(2646), 1503.4, 0.1);
    EXPECT_EQ(TwipsToPixels(SkinTwips(2646), 15), 100);
    EXPECT_EQ(TwipsToPixels(SkinTwips(1455), 15), 55);
    EXPECT_EQ(TwipsToPixels(SkinTwips(820), 15), 31);
    EXPECT_EQ(PixelsToHimetric(55, 96), 1455);
    EXPECT_EQ(PixelsToHimetric(31, 96), 820);
    EXPECT_EQ(HimetricToPixels(1455, 96), 55);
    EXPECT_EQ(HimetricToPixels(820, 96), 31);
    EXPECT_TRUE(PointerInside(55, 31, 55, 31));  // edges count as inside
    EXPECT_TRUE(PointerInside(0, 0, 55, 31));
    EXPECT_FALSE(PointerInside(56, 10, 55, 31));
    EXPECT_FALSE(PointerInside(-1, 10, 55, 31));
    EXPECT_EQ(ResolveColour(0x8000000Fu, [](int i) { return 0x100u + static_cast<unsigned>(i); }), 0x10Fu);
    EXPECT_EQ(ResolveColour(0x00FFC0C0u, [](int) { return 0u; }), 0x00FFC0C0u);
}

TEST(SkinShape, RunsSkipTheMaskColour) {
    // 0x00RRGGBB pixels; the mask is given as 0x00BBGGRR (0x00FFC0C0 is R C0, G C0, B FF).
    const uint32_t m = 0x00C0C0FF, a = 0x00112233;
    const uint32_t px[] = {m, a, a, m, a,   //
                           m, m, m, m, m,   //
                           a, a, a, a, a};
    const auto runs = OpaqueRuns(px, 5, 3, 5, 0x00FFC0C0);
    EXPECT_EQ(runs, (std::vector<buttonex::Run>{{1, 0, 3, 1}, {4, 0, 5, 1}, {0, 2, 5, 3}}));
    EXPECT_TRUE(OpaqueRuns(nullptr, 5, 3, 5, 0).empty());
    EXPECT_TRUE(OpaqueRuns(px, 5, 3, 4, 0).empty());  // a stride shorter than a row is refused
}

}  // namespace
}  // namespace buttonex
