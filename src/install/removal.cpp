#include "install/removal.h"

#include <algorithm>

#include "base/text.h"
#include "base/utf8.h"
#include "install/every_user.h"
#include "install/host_registration.h"
#include "install/install_record.h"
#include "install/payload.h"
#include "install/product_entry.h"
#include "install/profiles.h"
#include "install/trusted_paths.h"
#include "platform/registry_reading.h"
#include "platform/scoped_key.h"

using base::EqualsIgnoreCase;
using base::TextList;

namespace install {

namespace {

constexpr std::size_t kLoaderCapacity = 1024;

// Whether `path` lies below `folder`.
bool Inside(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() + 1 &&
         EqualsIgnoreCase(path.substr(0, folder.size() + 1), folder + "\\");
}

class Removal {
 public:
  Removal(platform::Platform& platform, const base::Installations& installations,
          const std::string& installFolder, const RemovalScope& scope)
      : m_platform(platform),
        m_installations(installations),
        m_folder(installFolder),
        m_scope(scope) {}

  RemovalOutcome Run() {
    TextList lines;
    const long read = ReadRecordLines(m_platform.files, RecordPath(m_folder), &lines);
    if (read == kErrorSuccess) m_record = ParseRecord(lines);
    // Only the machine-wide part goes by the record.
    m_outcome.recordRead = !m_scope.machineWide || (read == kErrorSuccess && !m_record.damaged);
    // A record that is there but cannot be read is kept, with the means to
    // run again; a missing or damaged one is no reason to stop.
    if (m_scope.machineWide && read != kErrorSuccess && read != kErrorFileNotFound &&
        read != kErrorPathNotFound) {
      Leave(Leftover::kUninstaller, RecordPath(m_folder), read);
    }
    if (m_scope.machineWide) RemoveDemandLoadKeys();
    if (m_scope.currentUser) RemoveTrust();
    // Other users' hives take an administrator's rights, as the rest of the
    // machine-wide part does.
    if (m_scope.machineWide) RemoveEveryUsersTrust();
    if (m_scope.machineWide) {
      if (m_scope.hostFilesAndEntry) RemoveHostFiles();
      RemoveProductFiles();
      // Something of the product stays: so do the means to remove it later.
      if (m_outcome.Complete()) RemoveUninstallerRecordAndFolders();
    }
    return m_outcome;
  }

 private:
  void Leave(Leftover kind, const std::string& target, long error) {
    m_outcome.left.push_back({kind, target, error});
  }

  // Deletes the application key `path` below `root` when `owned` says its
  // LOADER is this installation's. True when the key is gone.
  template <typename Owned>
  bool RemoveKeyIf(platform::RegKey root, const std::string& path, Owned owned) {
    platform::RegistryPort& registry = m_platform.registry;
    long result = kErrorSuccess;
    std::string loader;
    {
      const platform::ScopedKey key =
          platform::ScopedKey::OpenForRead(registry, root, path, &result);
      if (result == kErrorFileNotFound) return true;
      if (key)
        result = platform::ReadValueText(registry, key.get(), "LOADER", kLoaderCapacity, &loader);
    }
    // Without a LOADER, or with one elsewhere, it is not this installation's.
    if (result == kErrorFileNotFound || (result == kErrorSuccess && !owned(loader))) return false;
    if (result == kErrorSuccess) result = registry.DeleteKey(root, path);
    if (result == kErrorSuccess || result == kErrorFileNotFound) return true;
    Leave(Leftover::kDemandLoad, "HKEY_LOCAL_MACHINE\\" + path, result);
    return false;
  }

  // The native module's key when its LOADER points into the folder; the
  // managed library's when the native one is gone, since it serves no other.
  void RemoveKeysOf(int view, int year, const std::string& productKey) {
    const platform::RegKey root = MachineRootOfView(view);
    const bool nativeGone =
        RemoveKeyIf(root, productKey + "\\" + NativeApplicationKey(year),
                    [&](const std::string& loader) { return Inside(loader, m_folder); });
    if (nativeGone) {
      RemoveKeyIf(root, productKey + "\\" + ManagedApplicationKey(year),
                  [](const std::string&) { return true; });
    }
  }

  void RemoveDemandLoadKeys() {
    std::vector<RecordedKey> groups;
    const auto add = [&groups](int view, int year, std::string productKey) {
      base::DropTrailingBackslash(&productKey);
      const bool known = std::any_of(groups.begin(), groups.end(), [&](const RecordedKey& group) {
        return group.view == view && group.year == year &&
               EqualsIgnoreCase(group.productKey, productKey);
      });
      if (!known)
        groups.push_back({view, year, productKey, "", ""});  // without its final backslash
    };
    for (const RecordedKey& key : m_record.keys) add(key.view, key.year, key.productKey);
    for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
      for (const std::string& key : m_installations.ProductKeys(year)) {
        add(kOwnRegistryView, year, key);
      }
    }
    for (const RecordedKey& group : groups) {
      if (base::IsReleaseYear(group.year)) RemoveKeysOf(group.view, group.year, group.productKey);
    }
  }

  // The folder and any folder it took over from.
  TextList TrustedFolders() const {
    TextList folders{m_folder};
    folders.insert(folders.end(), m_record.abandonedFolders.begin(),
                   m_record.abandonedFolders.end());
    return folders;
  }

  // The folders out of the profiles of the other users an install for every
  // user served.
  void RemoveEveryUsersTrust() {
    for (const HostFailure& failure :
         ForsakeEveryUser(m_platform, m_record.userProfiles, TrustedFolders())) {
      Leave(Leftover::kUserProfile, failure.target, failure.error);
    }
  }

  // The folders out of every profile's trusted paths: no folder the product
  // left stays trusted.
  void RemoveTrust() {
    const TextList folders = TrustedFolders();
    long listed = kErrorSuccess;
    const TextList profiles = ProfileVariablesKeys(m_platform.registry, &listed);
    if (listed != kErrorSuccess) {
      Leave(Leftover::kTrustedPaths, "SOFTWARE\\Autodesk\\AutoCAD", listed);
    }
    for (const std::string& folder : folders) {
      std::u16string wide;
      if (!base::Utf8ToUtf16(folder, &wide)) {
        Leave(Leftover::kTrustedPaths, folder, kErrorNoUnicodeTranslation);
        continue;
      }
      for (const std::string& variablesKey : profiles) {
        const long result = DistrustFolder(m_platform.registry, variablesKey, wide);
        if (result != kErrorSuccess) Leave(Leftover::kTrustedPaths, variablesKey, result);
      }
    }
  }

  // Deletes a file; true when it is gone.
  bool Delete(const std::string& path) {
    platform::FileSystemPort& files = m_platform.files;
    ClearReadOnly(files, path);
    if (files.RemoveFile(path)) return true;
    const unsigned long error = files.LastError();
    return error == kErrorFileNotFound || error == kErrorPathNotFound;
  }

  void DeleteOrLeave(Leftover kind, const std::string& path) {
    if (!Delete(path)) Leave(kind, path, static_cast<long>(m_platform.files.LastError()));
  }

  bool InHostFolder(const std::string& path) const {
    for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
      for (const std::string& folder : m_installations.HostFolders(year)) {
        if (Inside(path, folder)) return true;
      }
    }
    return false;
  }

  // What the product created goes; what it replaced gets its earlier
  // content back where that was kept. Only in the folder of an AutoCAD
  // found: a record naming another place is not followed.
  void RemoveHostFiles() {
    platform::FileSystemPort& files = m_platform.files;
    for (const RecordedHostFile& file : m_record.hostFiles) {
      if (!InHostFolder(file.path)) continue;
      if (file.created) {
        DeleteOrLeave(Leftover::kHostFile, file.path);
        continue;
      }
      const std::string backup = BackupPathOf(file.path);
      if (files.GetAttributes(backup) == platform::kInvalidAttributes) {
        const unsigned long error = files.LastError();
        if (error != kErrorFileNotFound && error != kErrorPathNotFound) {
          Leave(Leftover::kHostFile, backup, static_cast<long>(error));
        }
        continue;
      }
      ClearReadOnly(files, file.path);
      if (!files.CopyOver(backup, file.path)) {
        Leave(Leftover::kHostFile, file.path, static_cast<long>(files.LastError()));
        continue;
      }
      DeleteOrLeave(Leftover::kHostFile, backup);
    }
  }

  void RemoveProductFiles() {
    TextList paths;
    for (const std::string& path : m_record.productFiles) {
      if (Inside(path, m_folder) && path.find('\\', m_folder.size() + 1) == std::string::npos) {
        paths.push_back(path);
      }
    }
    for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
      const std::string known = m_folder + "\\" + NativeModuleName(year);
      const auto same = [&](const std::string& path) { return EqualsIgnoreCase(path, known); };
      if (std::none_of(paths.begin(), paths.end(), same)) paths.push_back(known);
    }
    for (const std::string& path : paths) DeleteOrLeave(Leftover::kProductFile, path);
  }

  // The running uninstaller cannot be deleted; it can be moved out of the
  // install folder, to be deleted once it has ended. False when it stays.
  bool RemoveUninstaller() {
    const std::string uninstaller = UninstallerPath(m_folder);
    if (Delete(uninstaller)) return true;
    const long error = static_cast<long>(m_platform.files.LastError());
    if (!m_scope.parkingFolder.empty() &&
        m_platform.files.MoveOver(uninstaller,
                                  m_scope.parkingFolder + "\\" + kParkedUninstallerName)) {
      return true;
    }
    Leave(Leftover::kUninstaller, uninstaller, error);
    return false;
  }

  // The uninstaller, the record and the entry, then the install folder and
  // the folders the install created above it, innermost first, as far as
  // they are empty. A folder that stays keeps those above it: all are named.
  void RemoveUninstallerRecordAndFolders() {
    if (!RemoveUninstaller()) return;  // the record and the entry stay with it
    DeleteOrLeave(Leftover::kUninstaller, RecordPath(m_folder));
    if (m_scope.hostFilesAndEntry) {
      const long entry = RemoveProductEntries(m_platform.registry, m_folder);
      if (entry != kErrorSuccess) Leave(Leftover::kEntry, kProductEntryKey, entry);
    }
    TextList folders{m_folder};
    for (const std::string& folder : m_record.folders) {
      if (Inside(m_folder, folder)) folders.push_back(folder);
    }
    std::sort(folders.begin(), folders.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    long kept = kErrorSuccess;
    for (const std::string& folder : folders) {
      if (kept != kErrorSuccess) {
        Leave(Leftover::kFolder, folder, kErrorDirNotEmpty);
        continue;
      }
      if (m_platform.files.RemoveDir(folder)) continue;
      const unsigned long error = m_platform.files.LastError();
      if (error == kErrorFileNotFound || error == kErrorPathNotFound) continue;
      kept = static_cast<long>(error);
      Leave(Leftover::kFolder, folder, kept);
    }
  }

  platform::Platform& m_platform;
  const base::Installations& m_installations;
  const std::string m_folder;
  const RemovalScope& m_scope;
  InstallRecord m_record;
  RemovalOutcome m_outcome;
};

}  // namespace

RemovalOutcome RemoveInstallation(platform::Platform& platform,
                                  const base::Installations& installations,
                                  const std::string& installFolder, const RemovalScope& scope) {
  return Removal(platform, installations, installFolder, scope).Run();
}

}  // namespace install
