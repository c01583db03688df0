#pragma once
// What a click on Install does, apart from switching the dialog's views:
// the running-host guard, settling the install folder, and the three
// installation steps with their progress accounting.

#include <optional>
#include <string>

#include "base/installations.h"
#include "base/release_years.h"
#include "base/text.h"
#include "install/install_outcome.h"
#include "install/product_entry.h"
#include "platform/platform.h"
#include "platform/progress_port.h"

namespace install {

// The product's sub-folder, appended to the folder the user chose.
constexpr char kProductSubFolder[] = "\\B-PlotSweep";

// True when a running process's image name, lower-cased, contains "acad.exe".
bool IsAcadRunning(platform::ProcessPort& processes);

// Shows the running-host warning while `checkAcadRunning` is set, and clears
// it then, so that the check guards only until it has warned once. True
// when it was shown and the click must go no further.
bool WarnIfAcadRunning(platform::Platform& platform, bool* checkAcadRunning);

// Takes the double quotes Explorer's "Copy as path" puts around a path and
// one trailing backslash (but a drive root's) off the chosen folder, and
// checks it: a folder that
// is not absolute (a drive root or a server share; so also an empty one),
// holds a double quote, or is too long for the install folder to fit a path
// is refused with a message. Creates nothing.
bool CheckInstallFolder(platform::Platform& platform, std::string* folder);

// The chosen folder, checked, with the product sub-folder appended.
std::string InstallFolderOf(const std::string& checkedFolder);

// Checks the chosen folder, creates it, appends the product sub-folder and
// creates that too. A refused folder is left as it was, nothing created.
bool SettleInstallFolder(platform::Platform& platform, std::string* installPath);

// Which steps an install runs: all of them, or one of the two halves that
// different accounts may have to do when a user needs an administrator's
// rights for the machine-wide half.
enum class InstallPart {
  kEverything,
  kMachineWide,  // product files but the settings file, demand-load keys, support files
  kCurrentUser,  // the settings file, the install folder in the user's profiles
};

struct InstallScope {
  InstallPart part = InstallPart::kEverything;
  std::string logFile;       // the full path of the log being written, never installed
  ProductIdentity identity;  // what Programs and Features shows
  // The folders the install is about to create, outermost first (recorded
  // so that an uninstall removes them again).
  base::TextList createdFolders;
  // The user's half for every user of the machine instead of the account
  // running the install (a deployment as the local system account).
  bool everyUser = false;
};

// The levels of `installPath` that do not exist yet, outermost first.
base::TextList MissingFolders(platform::FileSystemPort& files, const std::string& installPath);

// Copies the product into `installPath`, registers the ticked releases'
// installations and deploys their support files, as far as `scope` asks,
// driving the progress bar from 0 to 50. The machine-wide part records what
// it does in the install folder, places the uninstaller there and writes the
// Programs and Features entry; an earlier installation in another folder is
// taken over, and once the install is complete, removed. What could not be
// done; nothing when the product copy failed (no payload, or Abort): no host
// step has run then.
std::optional<InstallOutcome> RunInstallSteps(platform::Platform& platform,
                                              const base::Installations& installations,
                                              const std::string& installPath,
                                              const base::ReleaseTicks& ticks,
                                              platform::ProgressPort& progress,
                                              const InstallScope& scope = {});

}  // namespace install
