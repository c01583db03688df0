#pragma once
// The folder and release ticks an install starts from: the dialog's own
// (the default folder; every found release this build serves ticked), then
// what the command line asks for.

#include <string>

#include "base/command_line.h"
#include "ui/setup/setup_dialog_model.h"

namespace ui {

constexpr char kDefaultFolder[] = "C:\\Brenix";

struct SetupChoice {
  std::string folder = kDefaultFolder;
  ReleaseBoxStates boxes{};
  std::string logFile;  // the full path of the log being written; empty: none
};

// False when the command line names a release the dialog would not enable
// (not found, or not served by this build); `problem` then names it.
bool ChooseSetup(const base::CommandLine& line, const base::Installations& installations,
                 int acadBitness, SetupChoice* choice, std::string* problem);

}  // namespace ui
