#pragma once
// The setup dialog (template IDD_SETUP): the product title and version, one
// check box per AutoCAD release, the installation folder with Browse, and
// Install and Cancel. Its three views (settings, installing, completion)
// share the one template; this class starts in the settings view.

#include <windows.h>

#include <array>
#include <string>

#include "base/installations.h"
#include "base/release_years.h"
#include "install/install_sequence.h"
#include "platform/platform.h"
#include "platform/win32/dialog.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/window.h"
#include "ui/setup/setup_choice.h"

namespace ui {

class SetupDialog : public win32::CDialog {
 public:
  // The dialog over `platform` for the installations found, starting from
  // `choice`'s folder and release boxes.
  SetupDialog(platform::Platform& platform, const base::Installations& installations,
              const SetupChoice& choice);

  // How the dialog ended, as the program's exit code: 0 when it completed or
  // nothing was written, otherwise what the last install came to.
  int ExitCode() const { return m_exitCode; }

 protected:
  void DoDataExchange(win32::Exchange direction) override;
  BOOL OnInitDialog() override;
  void OnShown() override;
  void OnOK() override;
  bool OnCommand(WORD id, WORD code) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

 private:
  // Controls -> members, then Install is enabled exactly when a release is ticked.
  void UpdateInstallButton();
  void SetSmallIcon();
  void ApplyInitialReleaseBoxes();

  void OnCheckRelease();
  void OnBrowse();   // setup_dialog_browse.cpp
  void OnInstall();  // setup_dialog_install.cpp
  // Asks for administrator rights when they are wanted; false when the
  // click goes no further. After a copy running as administrator has done
  // the machine-wide steps, `scope` is narrowed to the current user's and
  // `copyComplete` says whether that copy completed.
  bool HandOverMachineWideSteps(const std::string& folder, install::InstallScope* scope,
                                bool* copyComplete);
  bool RunInstall(const std::string& installPath, const install::InstallScope& scope,
                  install::InstallOutcome* outcome);
  void EndWithExitCode(int exitCode);
  void ShowCompletionView();
  // Tells what the install could not do and shows the settings view again.
  void ReportIncompleteInstall(const std::string& report);

  platform::Platform& m_platform;
  const base::Installations& m_installations;
  const ReleaseBoxStates m_initialBoxes;
  const std::string m_logFile;  // the full path of the log being written; empty: none

  win32::CBrush m_backgroundBrush;
  // The release boxes and their ticks (1 = ticked), 2007 first.
  std::array<win32::CButton, base::kReleaseCount> m_releaseBoxes;
  base::ReleaseTicks m_ticks{};
  std::string m_title;
  std::string m_bitness;
  win32::CProgressCtrl m_progress;
  std::string m_installPath;
  // Fonts of the title (IDC_TITLE) and of the bitness line (IDC_BITNESS).
  win32::CFont m_titleFont;
  win32::CFont m_bitnessFont;

  bool m_checkAcadRunning = true;  // until the running-host warning has shown once
  bool m_elevationOffered = false;
  int m_exitCode = 0;
};

}  // namespace ui
