#include "ui/setup/uninstall.h"

#include <set>

#include "base/text.h"
#include "install/install_messages.h"
#include "install/install_record.h"
#include "install/install_sequence.h"
#include "install/outcome_report.h"
#include "install/product_entry.h"
#include "install/removal.h"
#include "ui/setup/unattended.h"

using base::EqualsIgnoreCase;
using install::kSetupCaption;

namespace ui {

namespace {

constexpr char kNoInstallation[] = "没有找到已安装的批打印软件。";
constexpr char kAcadRunning[] = "请关闭AutoCAD后再进行卸载 !";
constexpr char kRemoved[] = "批打印软件已卸载。";
constexpr char kNeedsAdministrator[] =
    "卸载需要管理员权限：安装目录或“程序和功能”中的条目无法删除。\n\n"
    "是否以管理员身份运行卸载程序？";

// The folder chosen at the install of `installFolder`: without the product's
// sub-folder; nothing when it does not end with it.
std::optional<std::string> ChosenFolderOf(const std::string& installFolder) {
  const std::string suffix = install::kProductSubFolder;
  if (installFolder.size() <= suffix.size()) return std::nullopt;
  const std::size_t cut = installFolder.size() - suffix.size();
  if (!EqualsIgnoreCase(installFolder.substr(cut), suffix)) return std::nullopt;
  return installFolder.substr(0, cut);
}

void Tell(platform::Platform& platform, const std::string& text, unsigned icon = 0) {
  platform.prompt.Show(text, kSetupCaption, platform::kMbOk | icon);
}

// The install folder to remove: the one /D= names, when it exists, or the
// entry's, even when its folder is gone (its keys and trusted paths may not be).
bool FindInstallFolder(platform::Platform& platform, const base::CommandLine& line,
                       std::string* installFolder) {
  if (line.folder) {
    std::string folder = *line.folder;
    if (!install::CheckInstallFolder(platform, &folder)) return false;
    *installFolder = install::InstallFolderOf(folder);
    const unsigned long attributes = platform.files.GetAttributes(*installFolder);
    if (attributes != platform::kInvalidAttributes && (attributes & platform::kAttrDirectory)) {
      return true;
    }
  } else if (const auto entry = install::FindProductEntry(platform.registry)) {
    *installFolder = entry->installFolder;
    return true;
  }
  Tell(platform, kNoInstallation, platform::kMbIconWarning);
  return false;
}

// "2010、2014": the releases the record registered the product with.
std::string ReleasesServed(platform::Platform& platform, const std::string& installFolder) {
  base::TextList lines;
  install::ReadRecordLines(platform.files, install::RecordPath(installFolder), &lines);
  std::set<int> years;
  for (const auto& key : install::ParseRecord(lines).keys) years.insert(key.year);
  std::string text;
  for (int year : years) text += (text.empty() ? "" : "、") + std::to_string(year);
  return text.empty() ? "（没有安装记录）" : text;
}

bool Confirmed(platform::Platform& platform, const std::string& installFolder) {
  const std::string question = "确定要卸载批打印软件吗？\n\n安装目录：" + installFolder +
                               "\nAutoCAD 版本：" + ReleasesServed(platform, installFolder) +
                               "\n\n您的设置文件（Brenix.Ini）将保留。";
  return platform.prompt.Show(question, kSetupCaption,
                              platform::kMbYesNo | platform::kMbIconQuestion) == platform::kIdYes;
}

// Whether the machine-wide removal would be refused for want of rights.
bool RemovalIsDenied(platform::Platform& platform, const std::string& installFolder) {
  return platform.registry.ProbeWrite(platform::kHKeyLocalMachine, install::kProductEntryKey) ==
             kErrorAccessDenied ||
         platform.files.ProbeWrite(installFolder) == kErrorAccessDenied;
}

// The removal and its one message; the exit code.
int Remove(platform::Platform& platform, const base::Installations& installations,
           const std::string& installFolder, const install::RemovalScope& scope) {
  const std::string report = install::DescribeRemoval(
      install::RemoveInstallation(platform, installations, installFolder, scope));
  if (report.empty() && !scope.machineWide) return kExitDone;  // the copy has told
  Tell(platform, report.empty() ? kRemoved : report, report.empty() ? 0 : platform::kMbIconWarning);
  return report.empty() ? kExitDone : kExitHostStepFailed;
}

// Asks for administrator rights when they are wanted, and on Yes has a copy
// running as administrator do the machine-wide removal. Its exit code then;
// nothing when this process removes everything itself.
std::optional<int> HandOverMachineWideRemoval(platform::Platform& platform,
                                              const base::CommandLine& line,
                                              const std::string& installFolder) {
  if (line.unattended || platform.processes.IsElevated() ||
      !RemovalIsDenied(platform, installFolder) ||
      platform.prompt.Show(kNeedsAdministrator, kSetupCaption,
                           platform::kMbYesNo | platform::kMbIconQuestion) != platform::kIdYes) {
    return std::nullopt;
  }
  // The copy finds the folder through /D=, which names the folder above it.
  const std::optional<std::string> chosen = ChosenFolderOf(installFolder);
  if (!chosen) return std::nullopt;
  base::CommandLine copy;
  copy.uninstall = true;
  copy.elevated = true;
  copy.folder = chosen;
  copy.logFile = line.logFile;
  unsigned long exitCode = 0;
  const long error = platform.processes.RestartElevated(base::ComposeCommandLine(copy), &exitCode);
  if (error != kErrorSuccess) return std::nullopt;  // refused: go on with the rights there are
  return static_cast<int>(exitCode);
}

}  // namespace

std::optional<std::string> RecordedFolder(platform::RegistryPort& registry) {
  const auto entry = install::FindProductEntry(registry);
  return entry ? ChosenFolderOf(entry->installFolder) : std::nullopt;
}

int RunUninstall(platform::Platform& platform, const base::Installations& installations,
                 const base::CommandLine& line, const std::string& parkingFolder) {
  if (line.ReleasesGiven()) {
    Tell(platform, base::RefusalText("/R="), platform::kMbIconWarning);
    return kExitRefused;
  }
  std::string installFolder;
  if (!FindInstallFolder(platform, line, &installFolder)) return kExitRefused;
  install::RemovalScope scope;
  scope.parkingFolder = parkingFolder;
  // The copy started as administrator: asked and checked already; the
  // user who started it removes the folder from their own profiles.
  if (line.elevated) {
    scope.currentUser = false;
    return Remove(platform, installations, installFolder, scope);
  }
  if (!Confirmed(platform, installFolder)) return kExitNotConfirmed;
  if (install::IsAcadRunning(platform.processes)) {
    Tell(platform, kAcadRunning);
    return kExitHostRunning;
  }
  if (const auto copyExitCode = HandOverMachineWideRemoval(platform, line, installFolder)) {
    if (*copyExitCode != kExitDone && *copyExitCode != kExitHostStepFailed) return *copyExitCode;
    scope.machineWide = false;
    const int own = Remove(platform, installations, installFolder, scope);
    return own == kExitDone ? *copyExitCode : own;
  }
  return Remove(platform, installations, installFolder, scope);
}

}  // namespace ui
