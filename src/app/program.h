#pragma once
// The program's one flow: reads the command line, finds the installed
// AutoCAD releases, then shows the setup dialog or, with /S or /ELEVATED,
// installs without it.

namespace app {

// The program's exit code.
int RunProgram();

}  // namespace app
