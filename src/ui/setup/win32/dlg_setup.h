#pragma once
// The setup dialog (template IDD_SETUP): the product title and version, one
// check box per AutoCAD release, the installation folder with Browse, and
// Install and Cancel. Its three views (settings, installing, completion)
// share the one template; this class starts in the settings view.

#include <windows.h>

#include <optional>
#include <string>

#include "base/release_years.h"
#include "install/install_sequence.h"
#include "platform/win32/dialog.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/window.h"
#include "ui/setup/setup_choice.h"

class Dlg_Setup : public CDialog {
 public:
  explicit Dlg_Setup(HWND parent = nullptr);
  // The folder and release boxes to start from, instead of the defaults.
  void Preset(const ui::SetupChoice& choice);

  // The check box and the tick value of a release year (2007..2025).
  CButton& ReleaseBox(int year);
  int& ReleaseTick(int year);
  // The 19 tick values, 2007 first.
  ReleaseTicks Ticks();

  // Controls -> members, then Install is enabled exactly when a release is ticked.
  void UpdateInstallButton();

  // How the dialog ended, as the program's exit code: 0 when it completed or
  // nothing was written, otherwise what the last install came to.
  int ExitCode() const { return m_exitCode; }

  CBrush m_brushBack;
  CButton m_chkAcad2025, m_chkAcad2024, m_chkAcad2023, m_chkAcad2022, m_chkAcad2021, m_chkAcad2020,
      m_chkAcad2019, m_chkAcad2018, m_chkAcad2017, m_chkAcad2016, m_chkAcad2015, m_chkAcad2014,
      m_chkAcad2013, m_chkAcad2012, m_chkAcad2011, m_chkAcad2010, m_chkAcad2009, m_chkAcad2008,
      m_chkAcad2007;
  // The release boxes' ticks in year order (1 = ticked).
  int m_bAcad2007, m_bAcad2008, m_bAcad2009, m_bAcad2010, m_bAcad2011, m_bAcad2012, m_bAcad2013,
      m_bAcad2014, m_bAcad2015, m_bAcad2016, m_bAcad2017, m_bAcad2018, m_bAcad2019, m_bAcad2020,
      m_bAcad2021, m_bAcad2022, m_bAcad2023, m_bAcad2024, m_bAcad2025;
  std::string m_strTitle;
  std::string m_strBitness;
  CProgressCtrl m_progress;
  std::string m_strInstallPath;

 protected:
  void DoDataExchange(win32::Exchange direction) override;
  BOOL OnInitDialog() override;
  void OnShown() override;
  void OnOK() override;
  bool OnCommand(WORD id, WORD code) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

 private:
  void SetSmallIcon();
  void ApplyInitialReleaseBoxes();
  std::optional<ui::ReleaseBoxStates> m_presetBoxes;
  std::string m_logFile;
  bool m_bElevationOffered = false;
  int m_exitCode = 0;

  void OnCheckRelease();
  void OnBrowse();   // dlg_setup_browse.cpp
  void OnInstall();  // dlg_setup_install.cpp
  // Asks for administrator rights when they are wanted; false when the
  // click goes no further. After a copy running as administrator has done
  // the machine-wide steps, `scope` is narrowed to the current user's and
  // `copyComplete` says whether that copy completed.
  bool HandOverMachineWideSteps(const std::string& folder, install::InstallScope* scope,
                                bool* copyComplete);
  bool RunInstall(const std::string& installPath, const install::InstallScope& scope);
  void EndWithExitCode(int exitCode);
  void ShowCompletionView();
  // Tells what the install could not do and shows the settings view again.
  void ReportIncompleteInstall(const std::string& report);

  // Fonts of the title (IDC_TITLE) and of the bitness line (IDC_BITNESS).
  CFont m_fontTitle;
  CFont m_fontBitness;
};
