// GetRandomLabel: the part of mGetRandomLabel that touches a label.
#include <windows.h>

#include <string>

#include "forms/Label.h"
#include "forms/mGetRandomLabel.h"
#include "resource.h"
#include "ui/Language.h"

namespace forms {

std::wstring LinkCaption(int index) {
    // The two invitations speak the person's language; the products keep their names.
    if (index == kLinkCaptionUpperBound - 1) return ui::Text(IDS_LINK_CLICK);
    if (index == kLinkCaptionUpperBound) return ui::Text(IDS_LINK_VISIT);
    return std::wstring(kLinkCaptions[static_cast<size_t>(index)]);
}

void GetRandomLabel(Label& label) {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const int index = LinkCaptionIndex(FirstDrawFromSeed(static_cast<uint64_t>(now.QuadPart)));
    const std::wstring caption = LinkCaption(index);
    label.SetCaption(caption);
    label.SetToolTipText(caption);
}

}  // namespace forms
