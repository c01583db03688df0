#pragma once
// The install without a dialog: with /S, the folder and releases from the
// command line or the dialog's defaults, every question answered as an
// administrator deploying to many machines would (create a missing folder,
// stop at a file that cannot be copied), and an exit code that says how it
// ended; with /ELEVATED, the machine-wide steps of the copy that the offer
// of administrator rights starts, its questions asked.

#include <string>
#include <vector>

#include "base/command_line.h"
#include "base/installations.h"
#include "platform/platform.h"
#include "platform/prompt_port.h"

namespace ui {

enum ExitCode {
  kExitDone = 0,             // everything done
  kExitHostStepFailed = 1,   // the product is installed; a host step failed for a release
  kExitCopyStopped = 2,      // the product copy was stopped
  kExitNotConfirmed = 2,     // uninstall: the user said No; nothing was removed
  kExitNoPayload = 3,        // no payload beside the program
  kExitHostRunning = 4,      // AutoCAD is running
  kExitRefused = 5,          // bad command line, folder refused, or no release to install
  kExitInternalFailure = 6,  // the program failed within itself
};

// Answers every message box as the unattended install must, without showing
// it; keeps the texts.
class SilentPrompt : public platform::PromptPort {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override;
  const std::vector<std::string>& Texts() const { return m_texts; }

 private:
  std::vector<std::string> m_texts;
};

// Runs the install for `line` on the installations found, through a
// platform that answers through a SilentPrompt with /S. Every way of ending but success is
// told through the prompt first, so that the log has the reason. The exit
// code.
int RunUnattended(platform::Platform& platform, const base::Installations& installations,
                  const base::CommandLine& line, int acadBitness);

}  // namespace ui
