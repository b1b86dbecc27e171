#include "forms/frmSplash.h"

namespace forms {

void ShowSplash() {}

}  // namespace forms
