// A label's height for its text. A design's label boxes were sized for one font
// at 96 dpi; another font, or the same at a larger scale, can need more room
// than the box has, and the last line's descenders would be cut.
#pragma once
#include "forms/Label.h"

namespace forms {

// The height in pixels that the label's caption needs at the label's width, in its font.
int TextHeightFor(const Label& label);
// Makes the label taller when its caption needs it; never shorter.
void GrowToFitText(Label& label);

}  // namespace forms
