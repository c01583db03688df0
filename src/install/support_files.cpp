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

// Where the copies go, and the record that learns of each.
struct HostCopies {
  platform::FileSystemPort& files;
  const std::string& payload;
  install::RecordWriter* record;
};

// Keeps the content a host file has before the product first replaces it,
// so that the uninstall can put it back. A file an earlier install of the
// product put there holds no content of the host's.
// True when a backup was made.
bool BackUpHostFile(platform::FileSystemPort& files, const install::RecordWriter& record,
                    const std::string& path) {
  PathBuffer backup;
  if (record.KnowsHostFile(path) ||
      FormatPath(backup, "%s", install::BackupPathOf(path).c_str()) < 0) {
    return false;  // without room for the backup the file is replaced all the same
  }
  return files.CopyOver(path, backup);
}

// payload\sourceName to folder\targetName: 0 when it arrived or the payload
// does not hold it, otherwise why not (a path that does not fit is not
// tried). An arrived file is recorded as created when no file of its name
// was there, and as replaced, its content backed up, otherwise.
long CopyIfFits(const HostCopies& copies, const char* folder, const std::string& sourceName,
                const std::string& targetName) {
  platform::FileSystemPort& files = copies.files;
  PathBuffer source, destination;
  if (FormatPath(source, "%s\\%s", copies.payload.c_str(), sourceName.c_str()) < 0 ||
      FormatPath(destination, "%s\\%s", folder, targetName.c_str()) < 0) {
    return kErrorFilenameTooLong;
  }
  const bool created = files.GetAttributes(destination) == platform::kInvalidAttributes;
  const bool backedUp =
      !created && copies.record && BackUpHostFile(files, *copies.record, destination);
  if (files.CopyOver(source, destination)) {
    if (copies.record) copies.record->HostFile(destination, created);
    return 0;
  }
  if (backedUp) files.RemoveFile(install::BackupPathOf(destination));  // nothing was replaced
  const unsigned long error = files.LastError();
  return error == kErrorFileNotFound ? 0 : static_cast<long>(error);
}

// Keeps the first error of several steps.
void Keep(long* first, long error) {
  if (*first == 0) *first = error;
}

// One host folder; the driver too with `withDriver`. 0 when every file the
// payload holds arrived; otherwise the first error.
long CopySupportFiles(platform::Platform& platform, const std::string& hostFolder, bool withDriver,
                      install::RecordWriter* record) {
  // A host folder that is not absolute would put the files below whatever
  // folder is current.
  if (!IsAbsolutePath(hostFolder)) return kErrorBadPathname;
  std::string payload;
  if (!FindPayloadFolder(platform, &payload)) return kErrorPathNotFound;  // no sources to copy
  const HostCopies copies{platform.files, payload, record};
  PathBuffer host;
  if (FormatPath(host, "%s", hostFolder.c_str()) < 0) return kErrorFilenameTooLong;
  long first = 0;
  PathBuffer fonts;
  if (FormatPath(fonts, "%s\\Fonts", host) >= 0) {
    Keep(&first, CopyIfFits(copies, fonts, "Brenix_EN.shx", "Brenix_EN.shx"));
    Keep(&first, CopyIfFits(copies, fonts, "Brenix_HZ.shx", "Brenix_HZ.shx"));
  } else {
    Keep(&first, kErrorFilenameTooLong);
  }
  Keep(&first, CopyIfFits(copies, host, "itextsharp.dll", "itextsharp.dll"));
  for (int year = kFirstLibraryYear; year <= kLastLibraryYear; ++year) {
    const std::string library = "ACAD" + std::to_string(year) + "P.dll";
    Keep(&first, CopyIfFits(copies, host, library, library));
  }
  if (withDriver) {
    PathBuffer driverFolder;
    Keep(&first, FormatPath(driverFolder, "%s\\Drv", host) >= 0
                     ? CopyIfFits(copies, driverFolder, "Brenix.prt5", "pdfplot9.hdi")
                     : kErrorFilenameTooLong);
  }
  return first;
}

}  // namespace

namespace install {

HostFailures DeploySupportFiles(platform::Platform& platform, const Installations& installations,
                                const base::ReleaseTicks& ticks, RecordWriter* record) {
  HostFailures failures;
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    if (ticks[base::ReleaseIndex(year)] == 0) continue;
    for (const std::string& hostFolder : installations.HostFolders(year)) {
      const long error = CopySupportFiles(platform, hostFolder, year == kDriverReleaseYear, record);
      if (error != 0) failures.push_back({year, HostStep::kSupportFiles, hostFolder, error});
    }
  }
  return failures;
}

}  // namespace install
