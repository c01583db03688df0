#include "install/install_sequence.h"

#include "base/bounded_format.h"
#include "base/command_line.h"
#include "base/text.h"
#include "base/windows_path.h"
#include "install/every_user.h"
#include "install/host_registration.h"
#include "install/install_messages.h"
#include "install/product_copier.h"
#include "install/record_keeping.h"
#include "install/support_files.h"

using base::DropTrailingBackslash;
using base::FormatPath;
using base::IsAbsolutePath;
using base::PathBuffer;
using base::ToLowerAscii;

namespace install {

namespace {

constexpr int kProgressMaximum = 50;

}  // namespace

bool IsAcadRunning(platform::ProcessPort& processes) {
  const std::string target = ToLowerAscii("acad.exe");
  std::vector<std::string> names;
  if (!processes.ImageNames(&names)) return false;
  for (const std::string& name : names) {
    if (ToLowerAscii(name).find(target) != std::string::npos) return true;
  }
  return false;
}

bool WarnIfAcadRunning(platform::Platform& platform, bool* checkAcadRunning) {
  if (!*checkAcadRunning || !IsAcadRunning(platform.processes)) return false;
  platform.prompt.Show(kAcadRunningMessage, kSetupCaption, platform::kMbOk);
  *checkAcadRunning = false;
  return true;
}

bool CheckInstallFolder(platform::Platform& platform, std::string* folder) {
  const std::string chosen = base::Unquoted(*folder);
  std::string dropped = chosen;
  DropTrailingBackslash(&dropped);
  PathBuffer installFolder;
  // A folder that is not absolute would be resolved against whatever folder
  // is current, here and in the host that loads the module. A quote is in no
  // Windows path, and would end the folder's value on a restart.
  if (!IsAbsolutePath(chosen) || chosen.find('"') != std::string::npos ||
      FormatPath(installFolder, "%s%s", dropped.c_str(), kProductSubFolder) < 0) {
    platform.prompt.Show(kInvalidFolderMessage, kSetupCaption, platform::kMbOk);
    return false;
  }
  *folder = IsAbsolutePath(dropped) ? dropped : chosen;  // a drive root keeps its backslash
  return true;
}

std::string InstallFolderOf(const std::string& checkedFolder) {
  std::string folder = checkedFolder;
  DropTrailingBackslash(&folder);
  return folder + kProductSubFolder;
}

base::TextList MissingFolders(platform::FileSystemPort& files, const std::string& installPath) {
  base::TextList missing;
  std::string folder = installPath;
  DropTrailingBackslash(&folder);
  while (IsAbsolutePath(folder) && files.GetAttributes(folder) == platform::kInvalidAttributes) {
    missing.insert(missing.begin(), folder);
    const std::size_t last = folder.rfind('\\');
    if (last == std::string::npos) break;
    folder.resize(last);
  }
  return missing;
}

bool SettleInstallFolder(platform::Platform& platform, std::string* installPath) {
  std::string chosen = *installPath;
  if (!CheckInstallFolder(platform, &chosen)) return false;
  DropTrailingBackslash(&chosen);
  platform.files.MakeDir(chosen);
  *installPath = chosen + kProductSubFolder;
  platform.files.MakeDir(*installPath);
  return true;
}

std::optional<InstallOutcome> RunInstallSteps(platform::Platform& platform,
                                              const base::Installations& installations,
                                              const std::string& installPath,
                                              const base::ReleaseTicks& ticks,
                                              platform::ProgressPort& progress,
                                              const InstallScope& scope) {
  const bool machineWide = scope.part != InstallPart::kCurrentUser;
  const bool currentUser = scope.part != InstallPart::kMachineWide;
  progress.SetRange(0, kProgressMaximum);
  progress.SetStep(1);
  progress.SetPos(0);

  std::string installFolder = installPath;
  DropTrailingBackslash(&installFolder);
  // The current user's part adds to the record the machine-wide part wrote,
  // where it may; the record is the machine-wide part's to keep.
  RecordWriter record = machineWide ? StartRecord(platform, installFolder, scope.createdFolders)
                                    : RecordWriter(platform.files, RecordPath(installFolder));
  ProductCopier copier(installPath, &progress, platform, scope, &record);
  const bool copied = copier.CopyProduct();
  if (!copied) return std::nullopt;
  InstallOutcome outcome;
  outcome.ignoredFiles = copier.m_ignoredFiles;
  const auto add = [&outcome](const HostFailures& failures) {
    outcome.failures.insert(outcome.failures.end(), failures.begin(), failures.end());
  };
  if (machineWide) {
    RegisterUninstall(platform, installFolder, scope.identity, copier.m_copiedBytes,
                      &outcome.failures);
  }
  progress.StepIt();

  if (machineWide)
    add(RegisterDemandLoad(platform.registry, installations, ticks, installFolder, &record));
  if (currentUser && scope.everyUser) {
    const EveryUserResult served =
        ServeEveryUser(platform, installFolder, copier.m_everyUsersSettings, &record);
    add(served.failures);
    outcome.noUserProfile = !served.anyProfile;
  } else if (currentUser) {
    add(TrustInstallFolder(platform.registry, installFolder, &record));
  }
  progress.StepIt();

  if (machineWide) add(DeploySupportFiles(platform, installations, ticks, &record));
  if (machineWide && record.Error() != kErrorSuccess) {
    outcome.failures.push_back({0, HostStep::kUninstall, record.Path(), record.Error()});
  }
  if (outcome.Complete()) {
    RemoveAbandonedInstalls(platform, installations, installFolder, scope.part, &outcome.failures);
  }
  progress.StepIt();

  progress.SetPos(kProgressMaximum);
  return outcome;
}

}  // namespace install
