#pragma once
// Taking an installation off the machine again: what its record says the
// install put there, and what can be proved to be this product's when the
// record is missing or damaged (application keys of the product's names
// whose LOADER points into the install folder, the folder's trusted-path
// entries, product files of known names). What was there before the
// install, and what a later install elsewhere took over, stays.

#include <string>
#include <vector>

#include "base/installations.h"
#include "platform/platform.h"

namespace install {

enum class Leftover {
  kDemandLoad,    // an application key below a product key
  kTrustedPaths,  // a profile still trusting the folder
  kUserProfile,   // another user of the machine whose profiles still trust it
  kProductFile,   // a file in the install folder
  kHostFile,      // a support file in a host folder
  kUninstaller,   // the uninstaller or the record, kept so the removal can be run again
  kFolder,        // a folder that holds files this product did not put there
  kEntry,         // the Programs and Features entry
};

struct LeftItem {
  Leftover kind;
  std::string target;  // the key, profile key, file or folder
  long error;          // why; kErrorDirNotEmpty for a folder kept for others' files
};

struct RemovalOutcome {
  std::vector<LeftItem> left;
  // False when the machine-wide removal went by known names only.
  bool recordRead = false;
  bool Complete() const { return left.empty(); }
};

struct RemovalScope {
  bool machineWide = true;  // keys, files, folders and the entry
  bool currentUser = true;  // the current user's trusted paths
  // False when an install elsewhere took the host files and the entry over.
  bool hostFilesAndEntry = true;
  // Where the running uninstaller's file is moved when it cannot be deleted
  // (a program's file cannot be while it runs); empty: nowhere.
  std::string parkingFolder;
};

// Removes the installation in `installFolder` (the folder holding the
// product files) as far as `scope` asks. While something of the product
// could not be removed, the uninstaller, the record and the entry stay, so
// that the removal can be run again.
RemovalOutcome RemoveInstallation(platform::Platform& platform,
                                  const base::Installations& installations,
                                  const std::string& installFolder, const RemovalScope& scope);

}  // namespace install
