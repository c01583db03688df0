#include "install/elevation.h"

#include "base/command_line.h"
#include "base/windows_path.h"
#include "install/install_messages.h"
#include "platform/error_text.h"

using base::Installations;
using base::IsAbsolutePath;
using platform::ErrorText;

namespace install {

namespace {

constexpr char kNeedsAdministrator[] =
    "安装需要管理员权限：部分 AutoCAD 的注册表项或安装目录无法写入。\n\n"
    "是否以管理员身份重新启动安装程序？";
constexpr char kRestartFailed[] = "未能以管理员身份重新启动安装程序（";

// Whether writing for a ticked release would be refused for want of rights.
bool WritingIsDenied(platform::Platform& platform, const Installations& installations,
                     const base::ReleaseTicks& ticks) {
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    if (ticks[base::ReleaseIndex(year)] == 0) continue;
    for (const std::string& key : installations.ProductKeys(year)) {
      if (platform.registry.ProbeWrite(platform::kHKeyLocalMachine, key) == kErrorAccessDenied)
        return true;
    }
    // Only a refusal for want of rights: a host folder that is gone is no
    // reason to ask for them.
    for (const std::string& folder : installations.HostFolders(year)) {
      if (IsAbsolutePath(folder) && platform.files.ProbeWrite(folder) == kErrorAccessDenied) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

Elevation OfferElevation(platform::Platform& platform, const Installations& installations,
                         const std::string& folder, const base::ReleaseTicks& ticks,
                         const std::string& logFile, int* exitCode) {
  if (platform.processes.IsElevated() || !WritingIsDenied(platform, installations, ticks)) {
    return Elevation::kNotNeeded;
  }
  if (platform.prompt.Show(kNeedsAdministrator, kSetupCaption,
                           platform::kMbYesNo | platform::kMbIconQuestion) != platform::kIdYes) {
    return Elevation::kDeclined;
  }
  base::CommandLine again;
  again.elevated = true;
  again.folder = folder;
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    if (ticks[base::ReleaseIndex(year)] != 0) again.releases.push_back(year);
  }
  if (!logFile.empty()) again.logFile = logFile;
  const std::string arguments = base::ComposeCommandLine(again);
  base::CommandLine parsedBack;
  std::string problem;
  if (!base::ParseCommandLine(arguments, &parsedBack, &problem) || !(parsedBack == again)) {
    platform.prompt.Show(kInvalidFolderMessage, kSetupCaption, platform::kMbOk);
    return Elevation::kRestartFailed;
  }
  unsigned long copyExitCode = 0;
  const long error = platform.processes.RestartElevated(arguments, &copyExitCode);
  if (error == 0) {
    *exitCode = static_cast<int>(copyExitCode);
    return Elevation::kRestarted;
  }
  platform.prompt.Show(kRestartFailed + ErrorText(error) + "）。", kSetupCaption,
                       platform::kMbOk | platform::kMbIconWarning);
  return Elevation::kRestartFailed;
}

}  // namespace install
