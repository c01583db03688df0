#include "platform/win32/win32_processes.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include "platform/win32/wide_text.h"

namespace win32 {

bool Win32Processes::ImageNames(std::vector<std::string>* names) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  names->clear();
  PROCESSENTRY32W process;
  process.dwSize = sizeof(process);
  // Image names are only compared with the hosts' names: one with a lone
  // surrogate, U+FFFD in its place, matches none of them.
  for (BOOL more = Process32FirstW(snapshot, &process); more;
       more = Process32NextW(snapshot, &process)) {
    names->push_back(Utf8(process.szExeFile));
  }
  CloseHandle(snapshot);
  return true;
}

bool Win32Processes::IsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return true;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool known =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) != FALSE;
  CloseHandle(token);
  return !known || elevation.TokenIsElevated != 0;
}

namespace {

// Waits for `process` to end while dispatching this thread's messages, so
// that its windows repaint; they take no input meanwhile, their owner being
// disabled by whoever waits.
void WaitDispatchingMessages(HANDLE process) {
  while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) ==
         WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

long Win32Processes::RestartElevated(const std::string& arguments, unsigned long* exitCode) {
  std::wstring wideArguments;
  if (!ToWide(arguments, &wideArguments)) return ERROR_NO_UNICODE_TRANSLATION;
  wchar_t program[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof(execute);
  execute.fMask = SEE_MASK_NOASYNC | SEE_MASK_NOCLOSEPROCESS;
  execute.lpVerb = L"runas";
  execute.lpFile = program;
  execute.lpParameters = wideArguments.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) return static_cast<long>(GetLastError());
  if (!execute.hProcess) return ERROR_INVALID_HANDLE;  // started through DDE: nothing to wait for
  WaitDispatchingMessages(execute.hProcess);
  DWORD code = 0;
  const bool known = GetExitCodeProcess(execute.hProcess, &code) != FALSE;
  const long error = known ? 0 : static_cast<long>(GetLastError());
  CloseHandle(execute.hProcess);
  if (known) *exitCode = code;
  return error;
}

}  // namespace win32
