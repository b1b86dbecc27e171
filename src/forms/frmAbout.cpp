#include "forms/frmAbout.h"

namespace forms {

void ShowAboutBox() {}

}  // namespace forms
