#include "install/product_copier.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "base/bounded_format.h"
#include "base/text.h"
#include "install/install_messages.h"
#include "install/payload.h"

namespace install {

using base::DropTrailingBackslash;
using base::EqualsIgnoreCase;
using base::FormatPath;
using base::PathBuffer;
using install::ClearReadOnly;
using install::DeleteZoneIdentifier;
using install::FindPayloadFolder;
using install::InstallPart;

namespace {

// Placed into each host by the support-file step, the setup program itself,
// or what an install writes of its own.
const char* const kLeftOutNames[] = {"SetUp.EXE",   "Brenix_EN.shx",  "Brenix_HZ.shx",
                                     "Brenix.prt5", kUninstallerName, kRecordFileName};

bool IsLeftOut(const platform::FileEntry& entry) {
  if (entry.name == "." || entry.name == ".." || (entry.attributes & platform::kAttrDirectory))
    return true;
  return std::any_of(std::begin(kLeftOutNames), std::end(kLeftOutNames),
                     [&](const char* name) { return EqualsIgnoreCase(entry.name, name); });
}

// One file to copy. When a path does not fit a 260-unit buffer, `fits` is
// false and nothing is touched: the copy simply fails, and `destination`
// still names the intended file for the user.
struct PlannedCopy {
  std::string source;
  std::string destination;
  bool fits;
};

// payload\name to folder\name; `folderFits` says whether `folder` itself fits.
PlannedCopy PlanCopy(const std::string& payload, const std::string& folder, bool folderFits,
                     const std::string& name) {
  PathBuffer source, destination;
  const bool fits = folderFits &&
                    FormatPath(source, "%s\\%s", payload.c_str(), name.c_str()) >= 0 &&
                    FormatPath(destination, "%s\\%s", folder.c_str(), name.c_str()) >= 0;
  if (!fits) return {"", folder + "\\" + name, false};
  return {source, destination, true};
}

// The settings file goes to %APPDATA%\Brenix, created when missing. Without
// APPDATA there is no such folder: the copy fails rather than land in
// "\Brenix" at the root of the current drive.
PlannedCopy PrepareSettingsCopy(platform::Platform& platform, const std::string& payload,
                                const std::string& name) {
  std::string appData;
  PathBuffer appDataBuffer = {};
  PathBuffer settingsFolder;
  const bool folderFits =
      platform.environment.GetVariable("APPDATA", &appData) && !appData.empty() &&
      FormatPath(appDataBuffer, "%s", appData.c_str()) >= 0 &&
      FormatPath(settingsFolder, "%s\\%s", appDataBuffer, kSettingsFolderName) >= 0;
  PlannedCopy copy = PlanCopy(payload, appData + "\\" + kSettingsFolderName, folderFits, name);
  if (copy.fits) platform.files.CreateDir(settingsFolder);  // may exist already
  return copy;
}

// False when the user chose Abort; a file the user chose to ignore is added
// to `ignored`, and `copied` says whether the file arrived.
bool CopyOrAsk(platform::Platform& platform, const PlannedCopy& copy, base::TextList* ignored,
               bool* copied) {
  platform::FileSystemPort& files = platform.files;
  *copied = false;
  if (copy.fits) {
    ClearReadOnly(files, copy.source);
    DeleteZoneIdentifier(files, copy.source);
    ClearReadOnly(files, copy.destination);  // so that a read-only file can be replaced
    *copied = files.CopyOver(copy.source, copy.destination);
  }
  while (!*copied) {
    const int answer = platform.prompt.Show(kCopyFailedBefore + copy.destination + kCopyFailedAfter,
                                            kSetupCaption, platform::kMbAbortRetryIgnore);
    if (answer == platform::kIdAbort) return false;
    if (answer != platform::kIdRetry) {  // Ignore: the file stays out
      ignored->push_back(copy.destination);
      break;
    }
    *copied = copy.fits && files.CopyOver(copy.source, copy.destination);
  }
  if (copy.fits) ClearReadOnly(files, copy.destination);
  return true;
}

}  // namespace

ProductCopier::ProductCopier(std::string folder, platform::ProgressPort* progress,
                             platform::Platform& platform, install::InstallScope scope,
                             RecordWriter* record)
    : m_target(std::move(folder)),
      m_progress(progress),
      m_platform(platform),
      m_scope(std::move(scope)),
      m_record(record) {
  DropTrailingBackslash(&m_target);
}

bool ProductCopier::CopyProduct() {
  std::string payload;
  if (!FindPayloadFolder(m_platform, &payload)) return false;

  const bool machineWide = m_scope.part != InstallPart::kCurrentUser;
  const bool currentUser = m_scope.part != InstallPart::kMachineWide;
  PathBuffer target;
  const bool targetFits = FormatPath(target, "%s", m_target.c_str()) >= 0;
  if (targetFits && machineWide) m_platform.files.MakeDir(target);  // usually there already

  PathBuffer pattern;
  std::unique_ptr<platform::FileListing> listing;
  if (FormatPath(pattern, "%s\\*.*", payload.c_str()) >= 0)
    listing = m_platform.files.List(pattern);
  if (!listing) {
    // The folder was found but cannot be read: as good as no payload.
    m_platform.prompt.Show(kNoPayloadMessage, kSetupCaption, platform::kMbOk);
    return false;
  }

  platform::FileEntry entry;
  for (;;) {
    m_progress->StepIt();
    if (!listing->Next(&entry)) return true;
    if (IsLeftOut(entry) || EqualsIgnoreCase(payload + "\\" + entry.name, m_scope.logFile)) {
      continue;
    }
    const bool settings = EqualsIgnoreCase(entry.name, kSettingsFileName);
    if (settings && currentUser && m_scope.everyUser) {
      m_everyUsersSettings = payload + "\\" + entry.name;
      continue;
    }
    if (settings ? !currentUser : !machineWide) continue;
    const PlannedCopy copy = settings ? PrepareSettingsCopy(m_platform, payload, entry.name)
                                      : PlanCopy(payload, m_target, targetFits, entry.name);
    bool copied = false;
    if (!CopyOrAsk(m_platform, copy, &m_ignoredFiles, &copied)) return false;
    if (copied && !settings) {
      m_copiedBytes += entry.size;
      if (m_record) m_record->ProductFile(copy.destination);
    }
  }
}

}  // namespace install
