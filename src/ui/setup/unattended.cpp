#include "ui/setup/unattended.h"

#include "install/install_sequence.h"
#include "install/payload.h"
#include "ui/setup/setup_choice.h"

using install::FindPayloadFolder;
using install::IsAcadRunning;
using install::RunInstallSteps;
using install::SettleInstallFolder;

namespace ui {

namespace {

constexpr unsigned kButtonsMask = 0xF;

class NoProgress : public ProgressPort {
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
    case kMbYesNo:
      return kIdYes;
    case kMbAbortRetryIgnore:
      return kIdAbort;
    default:
      return kIdOk;
  }
}

int RunUnattended(SetupState& state, const app::CommandLine& line, int acadBitness) {
  Platform& platform = state.platform();
  SetupChoice choice;
  std::string problem;
  if (!ChooseSetup(line, state, acadBitness, &choice, &problem)) return kExitRefused;
  ReleaseTicks ticks{};
  for (int year = kFirstReleaseYear; year <= kLastReleaseYear; ++year) {
    ticks[ReleaseIndex(year)] = choice.boxes[ReleaseIndex(year)].tick;
  }
  if (!AnyReleaseTicked(ticks)) return kExitRefused;
  // Nothing is created before it is known that there is something to install.
  std::string payload;
  if (!FindPayloadFolder(platform, &payload)) return kExitNoPayload;
  if (IsAcadRunning(platform.processes)) return kExitHostRunning;
  if (!SettleInstallFolder(platform, &choice.folder)) return kExitRefused;
  NoProgress progress;
  if (!RunInstallSteps(state, choice.folder, ticks, progress)) return kExitCopyStopped;
  return state.m_outcome.Complete() ? kExitDone : kExitHostStepFailed;
}

}  // namespace ui
