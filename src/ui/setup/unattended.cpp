#include "ui/setup/unattended.h"

#include "install/install_messages.h"
#include "install/install_sequence.h"
#include "install/outcome_report.h"
#include "install/payload.h"
#include "ui/picker/folder_check.h"
#include "ui/setup/build_constants.h"
#include "ui/setup/setup_choice.h"
#include "ui/setup/uninstall.h"

using install::CheckInstallFolder;
using install::DescribeOutcome;
using install::FindPayloadFolder;
using install::InstallFolderOf;
using install::InstallPart;
using install::InstallScope;
using install::IsAcadRunning;
using install::RunInstallSteps;

namespace ui {

namespace {

constexpr unsigned kButtonsMask = 0xF;
constexpr char kNoReleaseMessage[] = "没有要安装的 AutoCAD 版本。";
constexpr char kNoUserProfileMessage[] =
    "本机没有用户有 AutoCAD 配置，安装目录未加入任何受信任路径。"
    "AutoCAD 首次启动时创建的配置不含安装目录。";

class NoProgress : public platform::ProgressPort {
 public:
  void SetRange(int, int) override {}
  void SetStep(int) override {}
  void SetPos(int) override {}
  void StepIt() override {}
};

}  // namespace

int SilentPrompt::Show(const std::string& text, const std::string& /*caption*/, unsigned style) {
  m_texts.push_back(text);
  switch (style & kButtonsMask) {
    case platform::kMbYesNo:
      return platform::kIdYes;
    case platform::kMbAbortRetryIgnore:
      return platform::kIdAbort;
    default:
      return platform::kIdOk;
  }
}

int RunUnattended(platform::Platform& platform, const base::Installations& installations,
                  const base::CommandLine& line, int acadBitness) {
  SetupChoice choice;
  choice.folder = RecordedFolder(platform.registry).value_or(kDefaultFolder);
  std::string problem;
  if (!ChooseSetup(line, installations, acadBitness, &choice, &problem)) {
    platform.prompt.Show(base::RefusalText(problem), install::kSetupCaption,
                         platform::kMbOk | platform::kMbIconWarning);
    return kExitRefused;
  }
  base::ReleaseTicks ticks{};
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    ticks[base::ReleaseIndex(year)] = choice.boxes[base::ReleaseIndex(year)].tick;
  }
  if (!AnyReleaseTicked(ticks)) {
    platform.prompt.Show(kNoReleaseMessage, install::kSetupCaption,
                         platform::kMbOk | platform::kMbIconWarning);
    return kExitRefused;
  }
  // Nothing is created before it is known that there is something to install.
  std::string payload;
  if (!FindPayloadFolder(platform, &payload)) return kExitNoPayload;
  if (IsAcadRunning(platform.processes)) {
    platform.prompt.Show(install::kAcadRunningMessage, install::kSetupCaption, platform::kMbOk);
    return kExitHostRunning;
  }
  if (!CheckInstallFolder(platform, &choice.folder)) return kExitRefused;
  const std::string installPath = InstallFolderOf(choice.folder);
  // The system account has no user's profiles of its own: a deployment as
  // it serves every user of the machine.
  const InstallScope scope{line.elevated ? InstallPart::kMachineWide : InstallPart::kEverything,
                           line.logFile.value_or(""),
                           ComposeProductIdentity(kProductVersion, acadBitness),
                           install::MissingFolders(platform.files, installPath),
                           line.allUsers || platform.processes.IsSystemAccount()};
  if (CreateFolder(platform.files, platform.prompt, platform.environment, choice.folder) !=
      kFolderReady) {
    return kExitRefused;
  }
  platform.files.MakeDir(installPath);
  NoProgress progress;
  const auto outcome =
      RunInstallSteps(platform, installations, installPath, ticks, progress, scope);
  if (!outcome) return kExitCopyStopped;
  if (outcome->noUserProfile) {
    platform.prompt.Show(kNoUserProfileMessage, install::kSetupCaption, platform::kMbOk);
  }
  const std::string report = DescribeOutcome(*outcome);
  if (report.empty()) return kExitDone;
  platform.prompt.Show(report, install::kSetupCaption, platform::kMbOk | platform::kMbIconWarning);
  return kExitHostStepFailed;
}

}  // namespace ui
