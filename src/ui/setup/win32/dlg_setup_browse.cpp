#include "ui/setup/win32/dlg_setup.h"

// The Browse handler comes with the folder picker.
void Dlg_Setup::OnBrowse() {}
