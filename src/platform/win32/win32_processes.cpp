#include "platform/win32/win32_processes.h"

#include <windows.h>
#include <tlhelp32.h>

bool Win32Processes::ImageNames(std::vector<std::string>* names) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  names->clear();
  PROCESSENTRY32 process;
  process.dwSize = sizeof(process);
  for (BOOL more = Process32First(snapshot, &process); more;
       more = Process32Next(snapshot, &process)) {
    names->push_back(process.szExeFile);
  }
  CloseHandle(snapshot);
  return true;
}
