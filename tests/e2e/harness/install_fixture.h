#pragma once
// What the install tests share: a distribution with a standard payload,
// three discovered releases whose host folders lie in a scratch folder,
// AutoCAD profiles with and without trusted paths, the user's settings file
// kept aside, the steps of an install as a user takes them, and the
// expectations on what an install leaves behind.

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "e2e/harness/install_support.h"
#include "e2e/harness/setup_fixture.h"

// Time allowed for a whole install, message boxes excluded.
constexpr DWORD kInstallTimeout = 60000;

// The product's files in the standard payload: they end up in the install
// folder. BX_PlotSweep2010.ARX doubles as the marker of the flat layout.
extern const std::vector<std::string> kProductFiles;
// The payload's files meant for the hosts, which stay out of the install folder.
extern const std::vector<std::string> kHostFiles;

// The content every payload file is given: its own name, so that each copy
// can be traced back to its source.
std::string PayloadContent(const std::string& name);

// One discovered installation of the standard set-up.
struct TestRelease {
  int year;
  AcadInstallation installation;
  int moduleYear;   // the year in the registered BX_PlotSweep%d.ARX
  int libraryYear;  // the year in the registered ACAD%dP.dll
};

// A profile of the current user's AutoCAD and its TRUSTEDPATHS before the install.
struct TestProfile {
  int year;
  std::string name;
  std::optional<std::string> trustedPaths;
};

// Releases 2008 (under Wow6432Node), 2010 and 2014 discovered, and 2020 for
// the 64-bit program, each with a host folder (Fonts, Drv with the host's own
// pdfplot9.hdi) in the sandbox; profiles of 2010 (no trusted paths), 2014
// ("d:\tools"), 2020 (two entries) and of 2015, a release not installed;
// the chosen folder sandbox\Brenix. The payload is added by each test.
class InstallTest : public SetupTest {
 protected:
  void SetUp() override;

  // The standard payload in the distribution's Data folder, with a stray
  // SetUp.exe and a sub-folder in it; or beside SetUp.exe (flat layout).
  // False when a file could not be written.
  bool AddDataPayload() const;
  bool AddFlatPayload() const;
  // Fonts and Drv, with the host's own plot driver, in an existing host
  // folder; false on failure.
  static bool AddHostContents(const std::string& host);

  // Starts SetUp.exe, waits for its dialog and types `chosenFolder` (by
  // default the sandbox's) into the path edit.
  WindowDriver Start(const std::string& chosenFolder);
  WindowDriver Start() { return Start(chosenFolder()); }
  // Clicks Install and returns at once.
  bool ClickInstall() const;
  // Clicks Install and returns the message box that shows then, with its
  // caption checked; an empty driver when none shows.
  WindowDriver ClickInstallForMessage() const;
  // Waits until the completion button shows. When a message box shows
  // instead, the program ends or the time is up, adds a failure that says
  // which and returns false.
  bool WaitForCompletionView() const;
  // The standard payload, a start, Install, and the completion view; false
  // when a step failed.
  bool InstallWithStandardSettings();
  // True once the program's message loop takes messages again: the click
  // before has then been handled as far as it goes.
  bool DialogResponds() const;

  std::string chosenFolder() const { return sandbox_.Child("Brenix"); }
  std::string installFolder() const { return chosenFolder() + "\\B-PlotSweep"; }
  std::string dataFolder() const { return distribution_.Child("Data"); }
  const TestRelease& Release(int year) const;

  // A demand-load application key of a release, below its product key.
  static std::string ApplicationKey(const TestRelease& release, const std::string& application);
  static std::string VariablesKey(const TestProfile& profile);

  // The names an install leaves in the install folder: the product files,
  // the record and the uninstaller.
  static std::set<std::string> InstalledNames();
  void ExpectInstalledFiles(const std::string& folder) const;
  void ExpectSupportFiles(const TestRelease& release) const;
  void ExpectHostUntouched(const TestRelease& release) const;
  void ExpectDemandLoadKeys(const TestRelease& release, const std::string& folder) const;
  void ExpectNoDemandLoadKeys(const TestRelease& release) const;
  void ExpectTrustedPaths(const std::string& folder) const;
  void ExpectTrustedPathsUnchanged() const;
  static void ExpectSettingsView(const WindowDriver& dialog);

  SettingsFileGuard settingsFile_;
  ScratchFolder sandbox_;
  std::vector<TestRelease> releases_;
  std::vector<TestProfile> profiles_;

 private:
  bool AddPayloadFiles(const std::string& folder) const;
};
