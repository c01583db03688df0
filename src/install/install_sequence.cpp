#include "install/install_sequence.h"

#include "base/ansi_text.h"
#include "base/bounded_format.h"
#include "base/command_line.h"
#include "base/windows_path.h"
#include "install/install_messages.h"
#include "install/product_copier.h"

using base::DropTrailingBackslash;
using base::FormatPath;
using base::IsAbsolutePath;
using base::PathBuffer;
using base::ToLowerAnsi;

namespace install {

bool g_bCheckAcadRunning = true;

namespace {

constexpr int kProgressMaximum = 50;

}  // namespace

bool IsAcadRunning(ProcessPort& processes) {
  const std::string target = ToLowerAnsi("acad.exe");
  std::vector<std::string> names;
  if (!processes.ImageNames(&names)) return false;
  for (const std::string& name : names) {
    if (ToLowerAnsi(name).find(target) != std::string::npos) return true;
  }
  return false;
}

bool WarnIfAcadRunning(Platform& platform) {
  if (!g_bCheckAcadRunning || !IsAcadRunning(platform.processes)) return false;
  platform.prompt.Show(kAcadRunningMessage, kSetupCaption, kMbOk);
  g_bCheckAcadRunning = false;
  return true;
}

bool CheckInstallFolder(Platform& platform, std::string* folder) {
  const std::string chosen = base::Unquoted(*folder);
  std::string dropped = chosen;
  DropTrailingBackslash(&dropped);
  PathBuffer installFolder;
  // A folder that is not absolute would be resolved against whatever folder
  // is current, here and in the host that loads the module. A quote is in no
  // Windows path, and would end the folder's value on a restart.
  if (!IsAbsolutePath(chosen) || chosen.find('"') != std::string::npos ||
      FormatPath(installFolder, "%s%s", dropped.c_str(), kProductSubFolder) < 0) {
    platform.prompt.Show(kInvalidFolderMessage, kSetupCaption, kMbOk);
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

bool SettleInstallFolder(Platform& platform, std::string* installPath) {
  std::string chosen = *installPath;
  if (!CheckInstallFolder(platform, &chosen)) return false;
  DropTrailingBackslash(&chosen);
  platform.files.MakeDir(chosen);
  *installPath = chosen + kProductSubFolder;
  platform.files.MakeDir(*installPath);
  return true;
}

bool RunInstallSteps(SetupState& state, const std::string& installPath, const ReleaseTicks& ticks,
                     ProgressPort& progress, const InstallScope& scope) {
  const bool machineWide = scope.part != InstallPart::kCurrentUser;
  const bool currentUser = scope.part != InstallPart::kMachineWide;
  progress.SetRange(0, kProgressMaximum);
  progress.SetStep(1);
  progress.SetPos(0);

  state.m_outcome = InstallOutcome();
  CProductCopier copier(installPath, &progress, state.platform(), scope);
  const bool copied = copier.CopyProduct();
  state.m_outcome.ignoredFiles = copier.m_ignoredFiles;
  if (!copied) return false;
  progress.StepIt();

  state.SetInstallDir(installPath);
  if (machineWide) state.RegisterAcadReleases(ticks);
  if (currentUser) state.AddTrustedPath();
  progress.StepIt();

  if (machineWide) state.DeploySupportFiles(ticks);
  progress.StepIt();

  progress.SetPos(kProgressMaximum);
  return true;
}

}  // namespace install
