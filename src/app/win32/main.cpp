// Entry point of SetUp.exe.

#include <windows.h>

#include "app/win32/wizard_app.h"

namespace {

// DLLs are looked for in System32 only, never beside the program (where a
// downloaded setup program may have company) nor in the current folder.
// SetDefaultDllDirectories is missing on Windows versions before 8 without
// update KB2533623, so it is looked up rather than linked.
void HardenDllLoading() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const FARPROC found =
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  if (found) {
    // Through void(*)(): a function pointer cast that names no signature.
    const auto setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(found));
    setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  SetDllDirectoryA("");
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*showCommand*/) {
  HardenDllLoading();
  theApp.InitInstance();
  return theApp.m_nExitCode;
}
