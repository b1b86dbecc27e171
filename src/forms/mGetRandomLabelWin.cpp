// GetRandomLabel: the part of mGetRandomLabel that touches a label.
#include <windows.h>

#include <string>

#include "forms/Label.h"
#include "forms/mGetRandomLabel.h"

namespace forms {

void GetRandomLabel(Label& label) {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const int index = LinkCaptionIndex(FirstDrawFromSeed(static_cast<uint64_t>(now.QuadPart)));
    const std::wstring_view caption = kLinkCaptions[static_cast<size_t>(index)];
    label.SetCaption(caption);
    label.SetToolTipText(caption);
}

}  // namespace forms
