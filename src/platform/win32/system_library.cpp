#include "platform/win32/system_library.h"

#include <string>

namespace win32 {

namespace {

bool searchRestricted = false;

}  // namespace

void RestrictDllSearchToSystemFolder() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefaultDllDirectories = SystemFunction<SetDefaultDllDirectoriesFn>(
      GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  searchRestricted =
      setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) {
  if (searchRestricted) return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}

}  // namespace win32
