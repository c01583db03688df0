#pragma once
// A running program cannot delete its own file. The uninstaller in an
// install folder therefore runs the uninstall from a copy of itself in a
// temporary folder on the same drive, waits for it and ends with its exit
// code; the copy moves the original out of the install folder.

#include <optional>
#include <string>

#include "base/command_line.h"

namespace app {

// Whether this program is an installed uninstaller ("Uninstall.exe" in a
// "B-PlotSweep" folder), which must hand the uninstall over.
bool IsInstalledUninstaller();

// Whether this program's file is named "Uninstall.exe": it uninstalls
// whatever its command line says.
bool IsUninstaller();

// This program's folder when it is an uninstaller's copy, outside an
// install folder: where the original is moved. Empty otherwise.
std::string ParkingFolder();

// Runs the uninstall of `line` from a temporary copy of this program, the
// install folder named with /D=; its exit code, or nothing when the copy
// could not be started (the caller then uninstalls itself).
std::optional<int> RunUninstallFromCopy(const base::CommandLine& line);

}  // namespace app
