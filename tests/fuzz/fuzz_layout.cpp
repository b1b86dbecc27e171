// The skinned button's arithmetic on any stored offsets and sizes: no overflow
// (UBSan), division truncates toward zero, positions move with their offsets
// until they saturate, and the decisions stay within their documented values.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <tuple>

#include "controls/buttonex/ButtonExLayout.h"

using namespace buttonex;
using namespace buttonex::layout;

namespace {

constexpr int64_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();

// A position with offsets is the one without them, moved, as long as neither saturates.
void checkMoved(Point base, Point moved, int32_t dx, int32_t dy) {
    for (auto [b, m, d] : {std::tuple{base.x, moved.x, dx}, std::tuple{base.y, moved.y, dy}})
        if (b != kMin && b != kMax && m != std::clamp(int64_t{b} + d, kMin, kMax)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const auto a = in.ConsumeIntegral<int32_t>(), b = in.ConsumeIntegral<int32_t>();
    const int64_t q = IDiv(a, b);
    if (b == 0 || (a == kMin && b == -1)) {
        if (q != (b == 0 ? 0 : kMax)) std::abort();
    } else {
        const int64_t r = a - q * b;  // truncated: the remainder is smaller than b and takes a's sign
        if (std::abs(r) >= std::abs(int64_t{b}) || (r != 0 && (r < 0) != (a < 0))) std::abort();
    }

    const auto state = in.ConsumeIntegral<int32_t>(), style = in.ConsumeIntegral<int32_t>();
    const auto value = in.ConsumeIntegral<int32_t>(), appearance = in.ConsumeIntegral<int32_t>();
    const int32_t toggled = ApplyToggle(state, style, value);
    if (style == 1 ? (toggled != Down && toggled != Up && toggled != Over) : toggled != state) std::abort();
    (void)SlotFor(state);
    const FacePlan plan = PlanStandardFace(state, in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool(), appearance, b);
    if ((plan.edge == 0) != (plan.edgeFlags == 0)) std::abort();
    (void)ChooseCaptionColour(state, b, in.ConsumeBool());
    (void)CaptionFlags(in.ConsumeBool(), in.ConsumeBool());
    (void)PointerInside(a, b, state, value);
    if (!std::isfinite(SkinTwips(a))) std::abort();

    const auto sh = in.ConsumeIntegral<int32_t>(), holderHeight = in.ConsumeIntegral<int32_t>();
    const auto dx = in.ConsumeIntegral<int32_t>(), dy = in.ConsumeIntegral<int32_t>();
    const Point picture = PicturePosition(state, appearance, sh, holderHeight, 0, 0);
    if (picture.y < (appearance == 2 ? 0 : 6)) std::abort();
    checkMoved(picture, PicturePosition(state, appearance, sh, holderHeight, dx, dy), dx, dy);

    CaptionInput c{state, in.ConsumeBool(), in.ConsumeBool(), a, b, sh, holderHeight};
    c.textWidth = in.ConsumeIntegral<int32_t>(), c.textHeight = in.ConsumeIntegral<int32_t>();
    const Point caption = CaptionPosition(c);
    c.offsetX = dx, c.offsetY = dy;
    checkMoved(caption, CaptionPosition(c), dx, dy);

    std::wstring text;
    for (const uint8_t ch : in.ConsumeRemainingBytes<uint8_t>()) text.push_back(ch);
    const auto key = FindAccessKey(text);
    const size_t removed = text.find(L'&') == std::wstring::npos ? 0 : 1;
    if ((key && key->size() > 1) || MeasuredCaption(text).size() + removed != text.size()) std::abort();
    return 0;
}
