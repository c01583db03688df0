#include "app/setup_state.h"
#include "install/elevation.h"
#include "install/install_messages.h"
#include "install/install_sequence.h"
#include "install/outcome_report.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_progress.h"
#include "ui/setup/win32/dlg_setup.h"
#include "ui/setup/win32/resource.h"

using win32::Exchange;
using win32::Win32MessageBoxes;

using install::DescribeOutcome;
using install::Elevation;
using install::OfferElevation;
using install::RunInstallSteps;
using install::SettleInstallFolder;
using install::WarnIfAcadRunning;

namespace {

void ShowControl(const CDialog& dialog, int id, bool show) {
  dialog.GetDlgItem(id).ShowWindow(show ? SW_SHOW : SW_HIDE);
}

// The bottom edge of a control in the dialog's client coordinates.
LONG ClientBottom(HWND dialog, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect.bottom;
}

}  // namespace

void Dlg_Setup::OnInstall() {
  const ScopedPromptOwner owner(Win32MessageBoxes(), m_hWnd);
  Platform& platform = g_setupState.platform();
  if (WarnIfAcadRunning(platform)) return;
  UpdateData(Exchange::kToMembers);
  if (!m_bElevationOffered) {
    const Elevation offer = OfferElevation(g_setupState, m_strInstallPath, Ticks());
    m_bElevationOffered = offer != Elevation::kNotNeeded;     // asked once at most
    if (offer == Elevation::kRestarted) EndDialog(IDCANCEL);  // the new process installs
    if (offer == Elevation::kRestarted || offer == Elevation::kRestartFailed) return;
  }
  if (!SettleInstallFolder(platform, &m_strInstallPath)) return;
  if (!RunInstall()) return;
  const std::string report = DescribeOutcome(g_setupState.m_outcome);
  if (report.empty()) {
    ShowCompletionView();
  } else {
    ReportIncompleteInstall(report);
  }
}

bool Dlg_Setup::RunInstall() {
  ShowControl(*this, IDC_PATH_LABEL, false);
  ShowControl(*this, IDC_INSTALL_PATH, false);
  ShowControl(*this, IDC_BROWSE, false);
  ShowControl(*this, IDC_PROGRESS, true);

  Win32Progress progress(m_progress.GetSafeHwnd());
  if (!RunInstallSteps(g_setupState, m_strInstallPath, Ticks(), progress)) {
    EndDialog(IDCANCEL);
    return false;
  }
  return true;
}

void Dlg_Setup::ReportIncompleteInstall(const std::string& report) {
  g_setupState.platform().prompt.Show(report, kSetupCaption, kMbOk | kMbIconWarning);
  ShowControl(*this, IDC_PROGRESS, false);
  ShowControl(*this, IDC_PATH_LABEL, true);
  ShowControl(*this, IDC_INSTALL_PATH, true);
  ShowControl(*this, IDC_BROWSE, true);
}

void Dlg_Setup::ShowCompletionView() {
  ShowControl(*this, IDC_COMPLETION_TEXT, true);
  ShowControl(*this, IDC_COMPLETION_PICTURE, true);
  ShowControl(*this, IDC_COMPONENTS_LABEL, false);
  ShowControl(*this, IDC_PROGRESS, false);
  ShowControl(*this, IDOK, true);
  ShowControl(*this, IDC_INSTALL, false);
  ShowControl(*this, IDCANCEL, false);
  for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) {
    ReleaseBox(year).ShowWindow(SW_HIDE);
  }
  UpdateData(Exchange::kToControls);

  // Cut away the strip below the completion button: the window's bottom edge
  // moves up by the distance from Cancel's bottom to the completion button's.
  const HWND dialog = GetSafeHwnd();
  RECT window;
  GetWindowRect(dialog, &window);
  const LONG cut = ClientBottom(dialog, GetDlgItem(IDCANCEL).GetSafeHwnd()) -
                   ClientBottom(dialog, GetDlgItem(IDOK).GetSafeHwnd());
  MoveWindow(dialog, window.left, window.top, window.right - window.left,
             window.bottom - window.top - cut, TRUE);
}
