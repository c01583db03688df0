// Fonts, libraries and the plot driver copied into every installation of
// every ticked release whose folder is an absolute path. Failures are
// silent: a copy that cannot be made is left out and the rest go on. No
// folder is created.

#include <string>

#include "app/bounded_format.h"
#include "app/setup_state.h"
#include "app/windows_path.h"
#include "install/payload.h"

using app::FormatPath;
using app::IsAbsolutePath;
using app::PathBuffer;
using install::FindPayloadFolder;

namespace {

constexpr int kFirstLibraryYear = 2007;
constexpr int kLastLibraryYear = 2050;
constexpr int kDriverReleaseYear = 2008;

// payload\sourceName to folder\targetName, unless a path does not fit.
void CopyIfFits(FileSystemPort& files, const std::string& payload, const char* folder,
                const std::string& sourceName, const std::string& targetName) {
  PathBuffer source, destination;
  if (FormatPath(source, "%s\\%s", payload.c_str(), sourceName.c_str()) < 0 ||
      FormatPath(destination, "%s\\%s", folder, targetName.c_str()) < 0) {
    return;
  }
  files.CopyOver(source, destination);
}

}  // namespace

void SetupState::DeploySupportFiles(const ReleaseTicks& ticks) {
  for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) {
    if (ticks[ReleaseIndex(year)] == 0) continue;
    for (const std::string& hostFolder : AcadDirs(year)) {
      CopySupportFiles(hostFolder, year == kDriverReleaseYear);
    }
  }
}

void SetupState::CopySupportFiles(std::string hostFolder, bool withDriver) {
  // A host folder that is not absolute would put the files below whatever
  // folder is current.
  if (!IsAbsolutePath(hostFolder)) return;
  std::string payload;
  if (!FindPayloadFolder(m_platform, &payload)) return;  // no sources to copy
  FileSystemPort& files = m_platform.files;

  PathBuffer host;
  if (FormatPath(host, "%s", hostFolder.c_str()) < 0) return;

  PathBuffer fonts;
  if (FormatPath(fonts, "%s\\Fonts", host) >= 0) {
    CopyIfFits(files, payload, fonts, "Brenix_EN.shx", "Brenix_EN.shx");
    CopyIfFits(files, payload, fonts, "Brenix_HZ.shx", "Brenix_HZ.shx");
  }

  CopyIfFits(files, payload, host, "itextsharp.dll", "itextsharp.dll");
  for (int year = kFirstLibraryYear; year <= kLastLibraryYear; ++year) {
    const std::string library = "ACAD" + std::to_string(year) + "P.dll";
    CopyIfFits(files, payload, host, library, library);
  }

  PathBuffer driverFolder;
  if (withDriver && FormatPath(driverFolder, "%s\\Drv", host) >= 0) {
    CopyIfFits(files, payload, driverFolder, "Brenix.prt5", "pdfplot9.hdi");
  }
}
