#include "install/outcome_report.h"

#include <vector>

#include "platform/error_text.h"
#include "platform/file_system_port.h"

using platform::ErrorText;

namespace install {

namespace {

constexpr char kHeading[] = "安装没有全部完成：\n";
constexpr char kRemovalHeading[] = "卸载没有全部完成：\n";
constexpr char kUninstallAsAdministrator[] =
    "请右键点击卸载程序，选择“以管理员身份运行”，然后重新卸载。";
constexpr char kFixAndUninstallAgain[] = "请排除以上问题后重新卸载。";
constexpr char kRunAsAdministrator[] =
    "请右键点击 SetUp.exe，选择“以管理员身份运行”，然后重新安装。";
constexpr char kFixAndRetry[] = "请排除以上问题后重新安装。";
// So many lines and no more: the box must fit the screen.
constexpr std::size_t kMostLines = 15;

std::string Sentence(const HostFailure& failure) {
  const std::string release = "AutoCAD " + std::to_string(failure.year);
  const std::string why = "（" + ErrorText(failure.error) + "）。";
  switch (failure.step) {
    case HostStep::kDemandLoad:
      return release + " 未能注册自动加载：HKEY_LOCAL_MACHINE\\" + failure.target + why;
    case HostStep::kSupportFiles:
      return release + " 的字体、库和打印驱动未能全部复制到 " + failure.target + why;
    case HostStep::kUninstall:
      return "未能写入卸载所需的信息：" + failure.target + why + "卸载时可能无法全部删除。";
    case HostStep::kOldInstall:
      return "原安装目录中未能删除：" + failure.target + why;
    case HostStep::kUserProfile:
      return "未能为用户 " + failure.target + " 加入受信任路径并复制设置文件" + why;
    case HostStep::kTrustedPaths:
      break;
  }
  return "未能把安装目录加入受信任路径：HKEY_CURRENT_USER\\" + failure.target + why;
}

std::string RemovalSentence(const LeftItem& item) {
  const std::string why = "（" + ErrorText(item.error) + "）。";
  switch (item.kind) {
    case Leftover::kDemandLoad:
      return "未能删除自动加载：" + item.target + why;
    case Leftover::kTrustedPaths:
      return "未能从受信任路径中删除安装目录：HKEY_CURRENT_USER\\" + item.target + why;
    case Leftover::kUserProfile:
      return "未能从用户 " + item.target + " 的受信任路径中删除安装目录" + why;
    case Leftover::kProductFile:
    case Leftover::kHostFile:
    case Leftover::kUninstaller:
      return "未能删除文件：" + item.target + why;
    case Leftover::kFolder:
      if (item.error == kErrorDirNotEmpty) {
        return "文件夹 " + item.target + " 中有不是本软件安装的文件，已保留。";
      }
      return "未能删除文件夹：" + item.target + why;
    case Leftover::kEntry:
      break;
  }
  return "未能删除“程序和功能”中的条目：" + item.target + why;
}

// The heading, at most so many lines, and the closing sentence.
std::string Report(const char* heading, const std::vector<std::string>& lines,
                   const std::string& closing) {
  std::string text = heading;
  for (std::size_t i = 0; i < lines.size() && i < kMostLines; ++i) text += "\n" + lines[i];
  if (lines.size() > kMostLines) {
    text += "\n……另有 " + std::to_string(lines.size() - kMostLines) + " 项。";
  }
  return text + "\n\n" + closing;
}

}  // namespace

std::string DescribeOutcome(const InstallOutcome& outcome) {
  if (outcome.Complete()) return "";
  std::vector<std::string> lines;
  bool deniedAccess = false;
  for (const HostFailure& failure : outcome.failures) {
    lines.push_back(Sentence(failure));
    deniedAccess = deniedAccess || failure.error == kErrorAccessDenied;
  }
  for (const std::string& file : outcome.ignoredFiles) {
    lines.push_back("未复制的产品文件：" + file + "。");
  }
  return Report(kHeading, lines, deniedAccess ? kRunAsAdministrator : kFixAndRetry);
}

std::string DescribeRemoval(const RemovalOutcome& outcome) {
  std::vector<std::string> lines;
  bool deniedAccess = false;
  bool productLeft = false;
  for (const LeftItem& item : outcome.left) {
    lines.push_back(RemovalSentence(item));
    deniedAccess = deniedAccess || item.error == kErrorAccessDenied;
    productLeft = productLeft || item.kind != Leftover::kFolder;
  }
  if (!outcome.recordRead) {
    lines.push_back(
        "没有找到完整的安装记录：只删除了能确认属于本软件的项目，"
        "AutoCAD 目录中的字体、库和打印驱动未删除。");
  }
  if (lines.empty()) return "";
  if (productLeft) {
    lines.push_back("卸载程序、安装记录和“程序和功能”中的条目已保留，以便重新卸载。");
  }
  return Report(kRemovalHeading, lines,
                deniedAccess ? kUninstallAsAdministrator : kFixAndUninstallAgain);
}

}  // namespace install
