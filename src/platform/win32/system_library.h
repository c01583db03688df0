#pragma once
// DLLs the program loads after start, from the system folder only: a setup
// program run from a download folder may have planted company there, and a
// DLL in the import table is resolved before any code of the program runs.

#include <windows.h>

namespace win32 {

// Restricts the DLL search of the process to the system folder: first thing
// in WinMain. Without SetDefaultDllDirectories (Windows before 8 without
// KB2533623) only the current folder is taken out of the search.
void RestrictDllSearchToSystemFolder();

// `name` (a DLL's file name, ASCII) from the system folder (side-by-side versions the manifest asks
// for included); null when it cannot be loaded from there.
HMODULE LoadSystemLibrary(const char* name);

// A function of a loaded module, as the type the caller names.
template <typename Function>
Function SystemFunction(HMODULE module, const char* name) {
  const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
  // Through void(*)(): a function pointer cast that names no signature.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace win32
