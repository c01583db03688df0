#include "ui/setup/win32/dlg_setup.h"

// The Install handler comes with the install sequence.
void Dlg_Setup::OnInstall() {}
