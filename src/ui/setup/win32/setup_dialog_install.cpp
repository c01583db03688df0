#include "install/elevation.h"
#include "install/install_messages.h"
#include "install/install_sequence.h"
#include "install/outcome_report.h"
#include "install/payload.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_progress.h"
#include "ui/setup/build_constants.h"
#include "ui/setup/setup_dialog_model.h"
#include "ui/setup/unattended.h"
#include "ui/setup/win32/resource.h"
#include "ui/setup/win32/setup_dialog.h"

using win32::Exchange;
using win32::Win32MessageBoxes;

using install::CheckInstallFolder;
using install::DescribeOutcome;
using install::Elevation;
using install::FindPayloadFolder;
using install::InstallFolderOf;
using install::InstallOutcome;
using install::InstallPart;
using install::InstallScope;
using install::OfferElevation;
using install::RunInstallSteps;
using install::SettleInstallFolder;
using install::WarnIfAcadRunning;

namespace ui {

namespace {

void ShowControl(const win32::CDialog& dialog, int id, bool show) {
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

void SetupDialog::OnInstall() {
  const win32::ScopedPromptOwner owner(Win32MessageBoxes(), m_window);
  if (WarnIfAcadRunning(m_platform, &m_checkAcadRunning)) return;
  UpdateData(Exchange::kToMembers);
  std::string folder = m_installPath;
  if (!CheckInstallFolder(m_platform, &folder)) return;
  // Nothing is created, and no rights asked for, before it is known that
  // there is something to install.
  std::string payload;
  if (!FindPayloadFolder(m_platform, &payload)) {
    EndWithExitCode(kExitNoPayload);
    return;
  }
  InstallScope scope{InstallPart::kEverything, m_logFile,
                     ComposeProductIdentity(kProductVersion, kAcadBitness),
                     install::MissingFolders(m_platform.files, InstallFolderOf(folder))};
  bool copyComplete = true;
  if (!HandOverMachineWideSteps(folder, &scope, &copyComplete)) return;
  std::string installPath = folder;
  if (scope.part == InstallPart::kCurrentUser) {
    installPath = InstallFolderOf(folder);
  } else if (!SettleInstallFolder(m_platform, &installPath)) {
    return;
  }
  m_installPath = installPath;  // the completion view shows where the product went
  InstallOutcome outcome;
  if (!RunInstall(installPath, scope, &outcome)) return;
  const std::string report = DescribeOutcome(outcome);
  if (report.empty() && copyComplete) {
    m_exitCode = kExitDone;
    ShowCompletionView();
  } else {
    m_exitCode = kExitHostStepFailed;
    ReportIncompleteInstall(report);
  }
}

bool SetupDialog::HandOverMachineWideSteps(const std::string& folder, InstallScope* scope,
                                           bool* copyComplete) {
  if (m_elevationOffered) return true;
  int copyExitCode = kExitDone;
  // The copy is waited for with this window's messages dispatched; the
  // window takes no clicks meanwhile.
  EnableWindow(m_window, FALSE);
  const Elevation offer =
      OfferElevation(m_platform, m_installations, folder, m_ticks, m_logFile, &copyExitCode);
  EnableWindow(m_window, TRUE);
  m_elevationOffered = offer != Elevation::kNotNeeded;  // asked once at most
  if (offer == Elevation::kRestartFailed) return false;
  if (offer != Elevation::kRestarted) return true;
  win32::InstallLog().Line("以管理员身份运行的安装程序已结束（退出代码：" +
                           std::to_string(copyExitCode) + "），进程 " +
                           std::to_string(GetCurrentProcessId()) + " 继续当前用户的部分");
  switch (copyExitCode) {
    case kExitDone:
    case kExitHostStepFailed:
      *copyComplete = copyExitCode == kExitDone;
      scope->part = InstallPart::kCurrentUser;
      return true;
    case kExitHostRunning:
    case kExitRefused:
      return false;  // the copy has said why; nothing was written
    default:
      EndWithExitCode(copyExitCode);  // the copy stopped, or failed within itself
      return false;
  }
}

bool SetupDialog::RunInstall(const std::string& installPath, const InstallScope& scope,
                             InstallOutcome* outcome) {
  ShowControl(*this, IDC_PATH_LABEL, false);
  ShowControl(*this, IDC_INSTALL_PATH, false);
  ShowControl(*this, IDC_BROWSE, false);
  ShowControl(*this, IDC_PROGRESS, true);

  win32::Win32Progress progress(m_progress.GetSafeHwnd());
  const auto steps =
      RunInstallSteps(m_platform, m_installations, installPath, m_ticks, progress, scope);
  if (!steps) {
    EndWithExitCode(kExitCopyStopped);
    return false;
  }
  *outcome = *steps;
  return true;
}

void SetupDialog::EndWithExitCode(int exitCode) {
  m_exitCode = exitCode;
  EndDialog(IDCANCEL);
}

void SetupDialog::ReportIncompleteInstall(const std::string& report) {
  // An empty report: the copy running as administrator has told its own.
  if (!report.empty()) {
    m_platform.prompt.Show(report, install::kSetupCaption,
                           platform::kMbOk | platform::kMbIconWarning);
  }
  ShowControl(*this, IDC_PROGRESS, false);
  ShowControl(*this, IDC_PATH_LABEL, true);
  ShowControl(*this, IDC_INSTALL_PATH, true);
  ShowControl(*this, IDC_BROWSE, true);
}

void SetupDialog::ShowCompletionView() {
  ShowControl(*this, IDC_COMPLETION_TEXT, true);
  ShowControl(*this, IDC_COMPLETION_PICTURE, true);
  ShowControl(*this, IDC_COMPONENTS_LABEL, false);
  ShowControl(*this, IDC_PROGRESS, false);
  ShowControl(*this, IDOK, true);
  ShowControl(*this, IDC_INSTALL, false);
  ShowControl(*this, IDCANCEL, false);
  for (win32::CButton& box : m_releaseBoxes) box.ShowWindow(SW_HIDE);
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

}  // namespace ui
