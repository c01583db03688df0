#include "ui/setup/bitness_notice.h"

#include <algorithm>

#include "discovery/host_discovery.h"
#include "install/install_messages.h"

using discovery::FindInstallations;

namespace ui {

namespace {

constexpr char kNeeds64BitSetupMessage[] =
    "本机安装的是64位AutoCAD，本安装程序只适用于32位AutoCAD。\n"
    "请使用64位版本的安装程序（SetUp.exe）进行安装。";

bool ServesAFoundRelease(const ReleaseBoxStates& boxes) {
  return std::any_of(boxes.begin(), boxes.end(),
                     [](const ReleaseBoxState& box) { return box.enabled && box.visible; });
}

}  // namespace

bool NoticeIfHostsNeed64BitSetup(const platform::Platform& platform, const ReleaseBoxStates& boxes,
                                 int acadBitness, platform::RegistryPort* view64) {
  if (acadBitness != 32 || view64 == nullptr || ServesAFoundRelease(boxes)) return false;
  if (!FindInstallations(*view64).Any()) return false;
  platform.prompt.Show(kNeeds64BitSetupMessage, install::kSetupCaption,
                       platform::kMbOk | platform::kMbIconWarning);
  return true;
}

}  // namespace ui
