#include "app/win32/wizard_app.h"

#include <windows.h>
#include <commctrl.h>

#include "app/setup_state.h"
#include "platform/win32/win32_platform.h"
#include "ui/setup/win32/dlg_setup.h"

using win32::Win32Platform;

// Constructed in this order, destroyed in the reverse order at exit.
CWizardApp theApp;
SetupState g_setupState(Win32Platform());

bool CWizardApp::InitInstance() {
  // The setup dialog holds a progress bar.
  INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&commonControls);

  g_setupState.FindAcadReleases();

  Dlg_Setup dialog;
  dialog.DoModal();
  return false;
}
