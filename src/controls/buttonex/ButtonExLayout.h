// The arithmetic and the decisions of the skinned button, kept free of the
// platform so that they can be checked natively: rounding, access keys, which
// state, skin and picture a repaint shows, where picture and caption go, which
// edges the drawn face gets, and the mouse tracking's inside test.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/Units.h"

namespace buttonex {

// The looks a repaint can ask for. Any other number may be asked for as well and
// is drawn like Up with no edge (and kept as given).
enum ButtonExState : int32_t { Down = 0, Up = 1, Over = 2, Disabled = 3, Focus = 4 };

namespace layout {

// The forms' one rounding rule: nearest, halves to even, saturating.
using ui::CLng;
// Whole-number division truncated toward zero; a zero divisor gives 0.
int32_t IDiv(int32_t a, int32_t b) noexcept;

// The access key a caption asks for: nullopt when it holds no single "&" (the
// previous key stays), an empty string when the single "&" is the last character.
std::optional<std::wstring> FindAccessKey(std::wstring_view caption);
// The caption as it is measured: the first "&" removed.
std::wstring MeasuredCaption(std::wstring_view caption);

// Toggle buttons (style 1) show their latch: value 0 is down whatever is asked,
// any other value is up except that the hover look stays.
int32_t ApplyToggle(int32_t state, int32_t style, int32_t value) noexcept;

// Which of the five per-state pictures (skins or pictures) a state shows; states
// outside 0..4 use the Up slot.
enum class Slot { Down, Up, Over, Disabled, Focus };
Slot SlotFor(int32_t state) noexcept;

// DrawEdge edge styles of the drawn face, by border style.
struct Edges {
    unsigned raised;
    unsigned sunken;
};
Edges EdgesFor(int32_t borderStyle) noexcept;

// What the drawn face consists of, in drawing order.
struct FacePlan {
    bool defaultFrame = false;  // one-pixel black frame, rectangle shrinks by one
    unsigned edge = 0;          // DrawEdge edge style, 0: no edge call
    unsigned edgeFlags = 0;     // DrawEdge flags for that call
    bool flatFrame = false;     // four grey lines instead of an edge
    bool focusRect = false;     // dotted rectangle inset by 4
};
FacePlan PlanStandardFace(int32_t state, bool focus, bool allowDefault, bool allowFocus, int32_t appearance,
                          int32_t borderStyle) noexcept;

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// Top-left corner of the picture on a face sh pixels high, for a holder
// holderHeight pixels high. Skinned buttons (appearance 2) start at the left edge,
// drawn faces leave 6 pixels; a pressed picture moves one pixel right and down.
// The stored offsets may be anything: the sums saturate to the int32 range.
Point PicturePosition(int32_t state, int32_t appearance, int32_t sh, int32_t holderHeight, int32_t offsetX,
                      int32_t offsetY) noexcept;

// Where the caption is drawn. With a picture image, it is centred between the
// picture's right edge and the face's right edge; otherwise on the whole face.
// Saturating, as the picture's position.
struct CaptionInput {
    int32_t state = Up;
    bool picturePresent = false;  // the Picture property holds a reference
    bool holderHasImage = false;  // the holder shows an image
    int32_t holderLeft = 0;
    int32_t holderWidth = 0;
    int32_t sw = 0, sh = 0;
    int32_t textWidth = 0, textHeight = 0;
    int32_t offsetX = 0, offsetY = 0;
};
Point CaptionPosition(const CaptionInput& in) noexcept;

enum class CaptionColour { Fore, Grey, Highlight };
CaptionColour ChooseCaptionColour(int32_t state, int32_t borderStyle, bool pointerLeft) noexcept;

// DrawStateA flags for the caption.
unsigned CaptionFlags(bool enabled, bool rightToLeft) noexcept;

// Skins are stored in HIMETRIC; the control takes their size in twips this way.
double SkinTwips(int32_t himetric) noexcept;

// The pointer counts as inside with the edges included.
bool PointerInside(double x, double y, double sw, double sh) noexcept;

// Resolves a colour: the high bit names a system colour (index in the low byte),
// looked up with the given function; anything else is a plain 0x00BBGGRR value.
template <class SysColour>
uint32_t ResolveColour(uint32_t colour, SysColour&& sysColour) {
    if (colour & 0x80000000u) return static_cast<uint32_t>(sysColour(static_cast<int>(colour & 0xFFu)));
    return colour & 0x00FFFFFFu;
}

}  // namespace layout
}  // namespace buttonex
