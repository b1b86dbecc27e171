#include "controls/buttonex/ButtonExLayout.h"

#include <algorithm>
#include <limits>

namespace buttonex::layout {
namespace {

// Positions add stored offsets and sizes: summed in 64 bits, then held to the int32 range.
int32_t Saturated(int64_t v) noexcept {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t IDiv(int32_t a, int32_t b) noexcept {
    if (b == 0) return 0;
    if (a == std::numeric_limits<int32_t>::min() && b == -1) return std::numeric_limits<int32_t>::max();
    return a / b;
}

std::optional<std::wstring> FindAccessKey(std::wstring_view caption) {
    size_t p = caption.find(L'&');
    while (p != std::wstring_view::npos) {
        if (p + 1 >= caption.size()) return std::wstring();  // a trailing "&": no key at all
        if (caption[p + 1] != L'&') return std::wstring(1, caption[p + 1]);
        p = caption.find(L'&', p + 2);  // "&&" is a literal ampersand
    }
    return std::nullopt;
}

std::wstring MeasuredCaption(std::wstring_view caption) {
    std::wstring out(caption);
    const size_t p = out.find(L'&');
    if (p != std::wstring::npos) out.erase(p, 1);
    return out;
}

int32_t ApplyToggle(int32_t state, int32_t style, int32_t value) noexcept {
    if (style != 1) return state;
    if (value == 0) return Down;
    return state == Over ? Over : Up;
}

Slot SlotFor(int32_t state) noexcept {
    switch (state) {
        case Down:
            return Slot::Down;
        case Over:
            return Slot::Over;
        case Disabled:
            return Slot::Disabled;
        case Focus:
            return Slot::Focus;
        default:
            return Slot::Up;
    }
}

Edges EdgesFor(int32_t borderStyle) noexcept {
    constexpr unsigned kEdgeRaised = 5, kEdgeSunken = 10, kEdgeBump = 9, kEdgeEtched = 6;
    constexpr unsigned kRaisedInner = 4, kSunkenOuter = 2;
    switch (borderStyle) {
        case 2:
            return {kEdgeBump, kEdgeEtched};
        case 3:
        case 4:
            return {kRaisedInner, kSunkenOuter};
        default:
            return {kEdgeRaised, kEdgeSunken};
    }
}

FacePlan PlanStandardFace(int32_t state, bool focus, bool allowDefault, bool allowFocus, int32_t appearance,
                          int32_t borderStyle) noexcept {
    constexpr unsigned kRect = 0x0F, kFlatRect = 0x400F, kSunkenOuter = 2;
    const Edges edges = EdgesFor(borderStyle);
    const bool defaultFrame = focus && allowDefault;
    FacePlan plan;
    switch (state) {
        case Over:
            // A flat or borderless button still pops out under the pointer.
            plan.defaultFrame = defaultFrame;
            plan.edge = edges.raised;
            plan.edgeFlags = kRect;
            break;
        case Up:
            if (appearance == 1 && borderStyle != 0) {
                plan.defaultFrame = defaultFrame;
                plan.edge = edges.raised;
                plan.edgeFlags = kRect;
            } else if (appearance == 0 && borderStyle == 4) {
                plan.defaultFrame = defaultFrame;
                plan.flatFrame = true;
            } else {
                focus = false;  // a face with nothing drawn gets no focus rectangle either
            }
            break;
        case Down:
            if (borderStyle == 0) break;
            if (defaultFrame) {
                plan.defaultFrame = true;
                plan.edge = kSunkenOuter;
                plan.edgeFlags = kFlatRect;
            } else {
                plan.edge = edges.sunken;
                plan.edgeFlags = kRect;
            }
            break;
        default:
            break;
    }
    plan.focusRect = allowFocus && focus;
    return plan;
}

Point PicturePosition(int32_t state, int32_t appearance, int32_t sh, int32_t holderHeight, int32_t offsetX,
                      int32_t offsetY) noexcept {
    int64_t top = int64_t{IDiv(sh, 2)} - IDiv(holderHeight, 2);
    int64_t left = 0;
    if (appearance == 2) {
        if (top < 0) top = 0;
    } else {
        left = 6;
        if (top < 6) top = 6;
    }
    if (state == Down) {
        ++left;
        ++top;
    }
    return {Saturated(left + offsetX), Saturated(top + offsetY)};
}

Point CaptionPosition(const CaptionInput& in) noexcept {
    // Undo the holder's press shift so the caption starts from the released layout.
    const int32_t a = (in.picturePresent && in.state == Down) ? -1 : 0;
    int64_t x;
    if (in.holderHasImage) {
        const int32_t pictureRight = CLng(static_cast<double>(in.holderLeft) + a + in.holderWidth);
        x = int64_t{IDiv(CLng(static_cast<double>(in.sw) + pictureRight), 2)} - IDiv(in.textWidth, 2);
    } else {
        x = a + (int64_t{IDiv(in.sw, 2)} - IDiv(in.textWidth, 2));
    }
    int64_t y = int64_t{IDiv(in.sh, 2)} - IDiv(in.textHeight, 2);
    if (in.state == Down) {
        ++x;
        ++y;
    }
    return {Saturated(x + in.offsetX), Saturated(y + in.offsetY)};
}

CaptionColour ChooseCaptionColour(int32_t state, int32_t borderStyle, bool pointerLeft) noexcept {
    if (state == Over || (state == Down && !pointerLeft)) return CaptionColour::Highlight;
    return borderStyle == 4 ? CaptionColour::Grey : CaptionColour::Fore;
}

unsigned CaptionFlags(bool enabled, bool rightToLeft) noexcept {
    constexpr unsigned kPrefixText = 0x0002, kDisabled = 0x0020, kRight = 0x8000;
    unsigned flags = kPrefixText;
    if (!enabled) flags |= kDisabled;
    if (rightToLeft) flags |= kRight;
    return flags;
}

// 1.76 HIMETRIC to the twip, as the skins were always sized (not 2540/1440).
double SkinTwips(int32_t himetric) noexcept { return himetric / 1.76; }

bool PointerInside(double x, double y, double sw, double sh) noexcept { return x >= 0 && y >= 0 && x <= sw && y <= sh; }

}  // namespace buttonex::layout
