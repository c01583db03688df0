#pragma once
// What a click on Install does, apart from switching the dialog's views:
// the running-host guard, settling the install folder, and the three
// installation steps with their progress accounting.

#include <string>

#include "app/release_years.h"
#include "app/setup_state.h"
#include "platform/platform.h"
#include "platform/progress_port.h"

namespace install {

// The product's sub-folder, appended to the folder the user chose.
constexpr char kProductSubFolder[] = "\\B-PlotSweep";

// Set at start; cleared the first time the running-host warning is shown, so
// the check guards only until it has warned once.
extern bool g_bCheckAcadRunning;

// True when a running process's image name, lower-cased, contains "acad.exe".
bool IsAcadRunning(ProcessPort& processes);

// Shows the running-host warning once per process. True when it was shown
// and the click must go no further.
bool WarnIfAcadRunning(Platform& platform);

// Drops one trailing backslash from the chosen folder, creates it, appends
// the product sub-folder and creates that too. A folder that is not absolute
// (a drive root or a server share; so also an empty one), or too long for the
// install folder to fit a path, is refused with a message before anything is
// created; the path is then left as it was.
bool SettleInstallFolder(Platform& platform, std::string* installPath);

// Copies the product, stores the install folder, registers the ticked
// releases and deploys their support files, driving the progress bar from
// 0 to 50; the state's outcome then says what could not be done. False when
// the product copy failed (no payload, or Abort): no host step has run then.
bool RunInstallSteps(SetupState& state, const std::string& installPath, const ReleaseTicks& ticks,
                     ProgressPort& progress);

}  // namespace install
