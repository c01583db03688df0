#pragma once
// The uninstall (/U): the installation found through its Programs and
// Features entry or the folder given with /D=, a confirmation, the
// running-host check, the removal, and one message that says what it came
// to. With /S no window shows: the confirmation is answered Yes and every
// message goes to the log.

#include <optional>
#include <string>

#include "base/command_line.h"
#include "base/installations.h"
#include "platform/platform.h"

namespace ui {

// The folder chosen at the last install (the install folder without the
// product's sub-folder), from the entry; nothing when none is recorded.
std::optional<std::string> RecordedFolder(platform::RegistryPort& registry);

// Runs the uninstall for `line`. `parkingFolder`, when not empty, is where
// the running uninstaller's own file is moved out of the install folder.
// The exit code: 0 removed, 1 something left, 2 not confirmed, 4 AutoCAD
// running, 5 bad command line or no installation found.
int RunUninstall(platform::Platform& platform, const base::Installations& installations,
                 const base::CommandLine& line, const std::string& parkingFolder);

}  // namespace ui
