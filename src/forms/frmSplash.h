// The shaped splash picture shown at start-up for two seconds.
#pragma once

namespace forms {

// Shows the splash modeless with no owner and has it drawn at once; it closes itself.
void ShowSplash();

}  // namespace forms
