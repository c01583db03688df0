#include "install/record_keeping.h"

#include <algorithm>
#include <memory>

#include "base/bounded_format.h"
#include "install/payload.h"
#include "install/removal.h"

using base::EqualsIgnoreCase;
using base::TextList;

namespace install {

namespace {

constexpr char kRecordHeader[] =
    "# B-PlotSweep install record: what the install created or changed, one item per line, "
    "fields separated by tabs.";

TextList ReadRecord(platform::Platform& platform, const std::string& installFolder) {
  TextList lines;
  ReadRecordLines(platform.files, RecordPath(installFolder), &lines);
  return lines;
}

std::uint64_t FileSize(platform::FileSystemPort& files, const std::string& path) {
  const std::unique_ptr<platform::FileListing> listing = files.List(path);
  platform::FileEntry entry;
  return listing && listing->Next(&entry) ? entry.size : 0;
}

}  // namespace

RecordWriter StartRecord(platform::Platform& platform, const std::string& installPath,
                         const TextList& createdFolders) {
  TextList lines = ReadRecord(platform, installPath);
  const auto entry = FindProductEntry(platform.registry);
  if (entry && !EqualsIgnoreCase(entry->installFolder, installPath)) {
    for (const RecordedHostFile& file :
         ParseRecord(ReadRecord(platform, entry->installFolder)).hostFiles) {
      lines.push_back(RecordLine({"host-file", file.created ? "created" : "replaced", file.path}));
    }
    lines.push_back(RecordLine({"abandoned", entry->installFolder}));
  }
  for (const std::string& folder : createdFolders) lines.push_back(RecordLine({"folder", folder}));
  InstallRecord merged = ParseRecord(lines);
  auto& abandoned = merged.abandonedFolders;
  abandoned.erase(std::remove_if(abandoned.begin(), abandoned.end(),
                                 [&](const std::string& folder) {
                                   return EqualsIgnoreCase(folder, installPath);
                                 }),
                  abandoned.end());

  // Written whole beside the record, then put in its place: a record is
  // never left half rewritten.
  const std::string path = RecordPath(installPath);
  RecordWriter fresh(platform.files, path + ".new");
  platform.files.RemoveFile(fresh.Path());  // a left-over of a stopped install
  TextList text{kRecordHeader};
  const TextList items = RecordLines(merged);
  text.insert(text.end(), items.begin(), items.end());
  fresh.AddLines(text);
  RecordWriter record(platform.files, path);
  record.SetKnown(merged);
  if (fresh.Error() != 0) {
    record.NoteError(fresh.Error());
  } else if (!platform.files.MoveOver(fresh.Path(), path)) {
    record.NoteError(static_cast<long>(platform.files.LastError()));
  }
  return record;
}

void RegisterUninstall(platform::Platform& platform, const std::string& installPath,
                       const ProductIdentity& identity, std::uint64_t productBytes,
                       HostFailures* failures) {
  platform::FileSystemPort& files = platform.files;
  const std::string uninstaller = UninstallerPath(installPath);
  std::string program;
  base::PathBuffer fits;
  long error = kErrorSuccess;
  if (base::FormatPath(fits, "%s", uninstaller.c_str()) < 0) {
    error = kErrorFilenameTooLong;
  } else if (!platform.environment.ModulePath(&program)) {
    error = kErrorFileNotFound;
  } else if (!EqualsIgnoreCase(program, uninstaller)) {
    ClearReadOnly(files, uninstaller);
    if (!files.CopyOver(program, uninstaller)) error = static_cast<long>(files.LastError());
  }
  if (error != kErrorSuccess) {
    // An entry would offer an uninstaller that is not there.
    failures->push_back({0, HostStep::kUninstall, uninstaller, error});
    return;
  }
  error = WriteProductEntry(platform.registry, platform.environment, identity, installPath,
                            productBytes + FileSize(files, uninstaller));
  if (error != kErrorSuccess) {
    failures->push_back(
        {0, HostStep::kUninstall, std::string("HKEY_LOCAL_MACHINE\\") + kProductEntryKey, error});
  }
}

void RemoveAbandonedInstalls(platform::Platform& platform, const base::Installations& installations,
                             const std::string& installPath, InstallPart part,
                             HostFailures* failures) {
  RemovalScope scope;
  scope.machineWide = part != InstallPart::kCurrentUser;
  scope.currentUser = part != InstallPart::kMachineWide;
  scope.hostFilesAndEntry = false;
  for (const std::string& folder :
       ParseRecord(ReadRecord(platform, installPath)).abandonedFolders) {
    // The install folder itself under another spelling (a short name, say)
    // holds this very record, which names it as abandoned: it stays.
    const TextList named = ParseRecord(ReadRecord(platform, folder)).abandonedFolders;
    if (std::any_of(named.begin(), named.end(),
                    [&](const std::string& other) { return EqualsIgnoreCase(other, folder); })) {
      continue;
    }
    for (const LeftItem& item : RemoveInstallation(platform, installations, folder, scope).left) {
      failures->push_back({0, HostStep::kOldInstall, item.target, item.error});
    }
  }
}

}  // namespace install
