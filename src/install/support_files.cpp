#include "install/support_files.h"

#include <string>

#include "base/bounded_format.h"
#include "base/windows_path.h"
#include "install/payload.h"

using base::FormatPath;
using base::Installations;
using base::IsAbsolutePath;
using base::PathBuffer;
using install::FindPayloadFolder;

namespace {

constexpr int kFirstLibraryYear = 2007;
constexpr int kLastLibraryYear = 2050;
constexpr int kDriverReleaseYear = 2008;

// payload\sourceName to folder\targetName: 0 when it arrived or the payload
// does not hold it, otherwise why not (a path that does not fit is not tried).
long CopyIfFits(platform::FileSystemPort& files, const std::string& payload, const char* folder,
                const std::string& sourceName, const std::string& targetName) {
  PathBuffer source, destination;
  if (FormatPath(source, "%s\\%s", payload.c_str(), sourceName.c_str()) < 0 ||
      FormatPath(destination, "%s\\%s", folder, targetName.c_str()) < 0) {
    return kErrorFilenameTooLong;
  }
  if (files.CopyOver(source, destination)) return 0;
  const unsigned long error = files.LastError();
  return error == kErrorFileNotFound ? 0 : static_cast<long>(error);
}

// Keeps the first error of several steps.
void Keep(long* first, long error) {
  if (*first == 0) *first = error;
}

// One host folder; the driver too with `withDriver`. 0 when every file the
// payload holds arrived; otherwise the first error.
long CopySupportFiles(platform::Platform& platform, const std::string& hostFolder,
                      bool withDriver) {
  // A host folder that is not absolute would put the files below whatever
  // folder is current.
  if (!IsAbsolutePath(hostFolder)) return kErrorBadPathname;
  std::string payload;
  if (!FindPayloadFolder(platform, &payload)) return kErrorPathNotFound;  // no sources to copy
  platform::FileSystemPort& files = platform.files;
  PathBuffer host;
  if (FormatPath(host, "%s", hostFolder.c_str()) < 0) return kErrorFilenameTooLong;
  long first = 0;
  PathBuffer fonts;
  if (FormatPath(fonts, "%s\\Fonts", host) >= 0) {
    Keep(&first, CopyIfFits(files, payload, fonts, "Brenix_EN.shx", "Brenix_EN.shx"));
    Keep(&first, CopyIfFits(files, payload, fonts, "Brenix_HZ.shx", "Brenix_HZ.shx"));
  } else {
    Keep(&first, kErrorFilenameTooLong);
  }
  Keep(&first, CopyIfFits(files, payload, host, "itextsharp.dll", "itextsharp.dll"));
  for (int year = kFirstLibraryYear; year <= kLastLibraryYear; ++year) {
    const std::string library = "ACAD" + std::to_string(year) + "P.dll";
    Keep(&first, CopyIfFits(files, payload, host, library, library));
  }
  if (withDriver) {
    PathBuffer driverFolder;
    Keep(&first, FormatPath(driverFolder, "%s\\Drv", host) >= 0
                     ? CopyIfFits(files, payload, driverFolder, "Brenix.prt5", "pdfplot9.hdi")
                     : kErrorFilenameTooLong);
  }
  return first;
}

}  // namespace

namespace install {

HostFailures DeploySupportFiles(platform::Platform& platform, const Installations& installations,
                                const base::ReleaseTicks& ticks) {
  HostFailures failures;
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    if (ticks[base::ReleaseIndex(year)] == 0) continue;
    for (const std::string& hostFolder : installations.HostFolders(year)) {
      const long error = CopySupportFiles(platform, hostFolder, year == kDriverReleaseYear);
      if (error != 0) failures.push_back({year, HostStep::kSupportFiles, hostFolder, error});
    }
  }
  return failures;
}

}  // namespace install
