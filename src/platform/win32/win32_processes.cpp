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

namespace {

// GetTokenInformation of the process's token into `buffer`; false when the
// token cannot be opened or the information does not fit.
bool ProcessTokenInformation(TOKEN_INFORMATION_CLASS kind, void* buffer, DWORD size) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  DWORD needed = 0;
  const bool known = GetTokenInformation(token, kind, buffer, size, &needed) != FALSE;
  CloseHandle(token);
  return known;
}

}  // namespace

bool Win32Processes::IsElevated() {
  TOKEN_ELEVATION elevation{};
  if (!ProcessTokenInformation(TokenElevation, &elevation, sizeof(elevation))) return true;
  return elevation.TokenIsElevated != 0;
}

bool Win32Processes::IsSystemAccount() {
  // TOKEN_USER is followed by the SID it points to.
  alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  BYTE system[SECURITY_MAX_SID_SIZE];
  DWORD systemSize = sizeof(system);
  return ProcessTokenInformation(TokenUser, user, sizeof(user)) &&
         CreateWellKnownSid(WinLocalSystemSid, nullptr, system, &systemSize) &&
         EqualSid(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, system);
}

long Win32Processes::EnableHivePrivileges() {
  // TOKEN_PRIVILEGES holds one privilege; the second follows it.
  struct {
    TOKEN_PRIVILEGES privileges;
    LUID_AND_ATTRIBUTES more;
  } wanted{};
  wanted.privileges.PrivilegeCount = 2;
  LUID_AND_ATTRIBUTES& restore = wanted.privileges.Privileges[0];
  if (!LookupPrivilegeValueW(nullptr, L"SeRestorePrivilege", &restore.Luid) ||
      !LookupPrivilegeValueW(nullptr, L"SeBackupPrivilege", &wanted.more.Luid)) {
    return static_cast<long>(GetLastError());
  }
  restore.Attributes = wanted.more.Attributes = SE_PRIVILEGE_ENABLED;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    return static_cast<long>(GetLastError());
  }
  // A success that enabled not all of them leaves ERROR_NOT_ALL_ASSIGNED.
  SetLastError(ERROR_SUCCESS);
  const bool adjusted =
      AdjustTokenPrivileges(token, FALSE, &wanted.privileges, 0, nullptr, nullptr) != FALSE;
  const DWORD error = GetLastError();
  CloseHandle(token);
  return adjusted && error == ERROR_SUCCESS ? 0 : static_cast<long>(error);
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
