#include "install/install_sequence.h"

#include "app/ansi_text.h"
#include "app/bounded_format.h"
#include "app/windows_path.h"
#include "install/install_messages.h"
#include "install/product_copier.h"

using app::DropTrailingBackslash;
using app::FormatPath;
using app::IsAbsolutePath;
using app::PathBuffer;
using app::ToLowerAnsi;

namespace install {

bool g_bCheckAcadRunning = true;

namespace {

constexpr char kAcadRunningMessage[] = "请关闭AutoCAD后再进行安装 !";
constexpr char kInvalidFolderMessage[] =
    "安装路径无效 !\n\n请选择一个有效的安装目录（路径不能为空，也不能过长）。";

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

bool SettleInstallFolder(Platform& platform, std::string* installPath) {
  std::string chosen = *installPath;
  DropTrailingBackslash(&chosen);
  PathBuffer installFolder;
  // A folder that is not absolute would be resolved against whatever folder
  // is current, here and in the host that loads the module.
  if (!IsAbsolutePath(*installPath) ||
      FormatPath(installFolder, "%s%s", chosen.c_str(), kProductSubFolder) < 0) {
    platform.prompt.Show(kInvalidFolderMessage, kSetupCaption, kMbOk);
    return false;
  }
  platform.files.MakeDir(chosen);
  platform.files.MakeDir(installFolder);
  *installPath = installFolder;
  return true;
}

bool RunInstallSteps(SetupState& state, const std::string& installPath, const ReleaseTicks& ticks,
                     ProgressPort& progress) {
  progress.SetRange(0, kProgressMaximum);
  progress.SetStep(1);
  progress.SetPos(0);

  state.m_outcome = InstallOutcome();
  CProductCopier copier(installPath, &progress, state.platform());
  const bool copied = copier.CopyProduct();
  state.m_outcome.ignoredFiles = copier.m_ignoredFiles;
  if (!copied) return false;
  progress.StepIt();

  state.SetInstallDir(installPath);
  state.RegisterAcadReleases(ticks);
  progress.StepIt();

  state.DeploySupportFiles(ticks);
  progress.StepIt();

  progress.SetPos(kProgressMaximum);
  return true;
}

}  // namespace install
