// Entry point of SetUp.exe.

#include <windows.h>

#include "app/lean_runtime.h"
#include "app/program.h"
#include "platform/win32/system_library.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*showCommand*/) {
  win32::RestrictDllSearchToSystemFolder();
  app::EndAbortsAsInternalFailures();
  return app::RunProgram();
}
