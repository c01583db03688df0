#pragma once
// The process-wide record shared by host discovery, the setup dialog and the
// installation engine. One instance, g_setupState.

#include <string>

#include "base/ansi_text.h"
#include "base/release_years.h"
#include "install/install_outcome.h"
#include "platform/platform.h"

class SetupState {
 public:
  explicit SetupState(Platform& platform);

  // Host discovery (discovery/host_discovery.cpp).
  void FindAcadReleases();
  void ScanWow64Releases();

  // Install sequence.
  void SetInstallDir(std::string folder);

  // Host registration (install/host_registration.cpp): the demand-load keys
  // of the ticked releases; the install folder in every profile.
  void RegisterAcadReleases(const ReleaseTicks& ticks);
  void RegisterDemandLoad(int year);
  void AddTrustedPath();

  // Host support files (install/support_files.cpp).
  void DeploySupportFiles(const ReleaseTicks& ticks);
  // 0 when every file the payload holds arrived; otherwise the first error.
  long CopySupportFiles(std::string hostFolder, bool withDriver);

  // The folder and key lists of one release year (2007..2025).
  TextList& AcadDirs(int year);
  const TextList& AcadDirs(int year) const;
  TextList& AcadKeys(int year);
  const TextList& AcadKeys(int year) const;

  Platform& platform() const { return m_platform; }

  std::string m_strInstallDir;
  // What the last install could not do; the host steps add to it.
  InstallOutcome m_outcome;

  TextList m_arrAcadDir2007, m_arrAcadDir2008, m_arrAcadDir2009, m_arrAcadDir2010, m_arrAcadDir2011,
      m_arrAcadDir2012, m_arrAcadDir2013, m_arrAcadDir2014, m_arrAcadDir2015, m_arrAcadDir2016,
      m_arrAcadDir2017, m_arrAcadDir2018, m_arrAcadDir2019, m_arrAcadDir2020, m_arrAcadDir2021,
      m_arrAcadDir2022, m_arrAcadDir2023, m_arrAcadDir2024, m_arrAcadDir2025;

  TextList m_arrAcadKey2007, m_arrAcadKey2008, m_arrAcadKey2009, m_arrAcadKey2010, m_arrAcadKey2011,
      m_arrAcadKey2012, m_arrAcadKey2013, m_arrAcadKey2014, m_arrAcadKey2015, m_arrAcadKey2016,
      m_arrAcadKey2017, m_arrAcadKey2018, m_arrAcadKey2019, m_arrAcadKey2020, m_arrAcadKey2021,
      m_arrAcadKey2022, m_arrAcadKey2023, m_arrAcadKey2024, m_arrAcadKey2025;

 private:
  void ScanReleases(const char* baseKey, int lastYear);

  Platform& m_platform;
};

extern SetupState g_setupState;
