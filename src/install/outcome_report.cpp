#include "install/outcome_report.h"

#include <vector>

#include "platform/error_text.h"
#include "platform/file_system_port.h"

using platform::ErrorText;

namespace install {

namespace {

constexpr char kHeading[] = "安装没有全部完成：\n";
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
    case HostStep::kTrustedPaths:
      break;
  }
  return "未能把安装目录加入受信任路径：HKEY_CURRENT_USER\\" + failure.target + why;
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
  std::string text = kHeading;
  for (std::size_t i = 0; i < lines.size() && i < kMostLines; ++i) text += "\n" + lines[i];
  if (lines.size() > kMostLines) {
    text += "\n……另有 " + std::to_string(lines.size() - kMostLines) + " 项。";
  }
  return text + "\n\n" + (deniedAccess ? kRunAsAdministrator : kFixAndRetry);
}

}  // namespace install
