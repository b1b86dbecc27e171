// The About box: one modeless instance, created on demand.
#pragma once

namespace forms {

// Shows the About box modeless with no owner, loading it if it is not open;
// showing it again brings up the same box.
void ShowAboutBox();

}  // namespace forms
