// The About box's link caption, drawn at random from the maker's products.
// The drawing rule is platform-free; GetRandomLabel itself sets a label.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace forms {

class Label;

// Index 0 to 8: the maker's other products; 9 and 10 the plain invitations.
inline constexpr std::array<std::wstring_view, 11> kLinkCaptions = {
    L"Quillpost: mail later", L"Dormouse screen saver", L"Lanternfish: find it!",   L"Sundial clock sync",
    L"Kettlewatch tea timer", L"Burrow: quick backups", L"Inkwell notes",           L"Heron screen zoom",
    L"Tidemark: disk space",  L"Click this link!",      L"visit Brackwyn Software",
};
inline constexpr int kLinkCaptionUpperBound = static_cast<int>(kLinkCaptions.size()) - 1;

// r in [0, 1) times the upper bound, rounded to the nearest whole number with
// halves going to the even neighbour; so the two end indexes are half as likely
// as the inner ones. Values outside [0, 1) are clamped to the list.
int LinkCaptionIndex(double r);

// The first draw, in [0, 1), of a generator seeded with the given value.
double FirstDrawFromSeed(uint64_t seed);

// The caption at that index, in the person's language where it has words of its
// own (the two invitations; in English the list's own).
std::wstring LinkCaption(int index);

// Seeds from the system timer, draws one caption and gives it to the label as
// both its caption and its tooltip text.
void GetRandomLabel(Label& label);

}  // namespace forms
