#include "app/uninstaller_handover.h"

#include <windows.h>

#include <string>

#include "base/text.h"
#include "base/utf8.h"
#include "base/windows_path.h"
#include "install/install_record.h"
#include "install/install_sequence.h"
#include "platform/win32/wide_text.h"
#include "ui/setup/unattended.h"

using base::EqualsIgnoreCase;
using win32::Wide;

namespace app {

namespace {

// What a call gave in a buffer of MAX_PATH units, `length` of them: empty
// when it failed, did not fit or holds a lone surrogate, which names no path.
std::string PathGiven(const wchar_t* path, DWORD length) {
  std::string text;
  if (length == 0 || length >= MAX_PATH || !win32::ToUtf8(path, length, &text)) return "";
  return text;
}

// This program's path; empty when it cannot be had whole.
std::string OwnPath() {
  wchar_t path[MAX_PATH];
  return PathGiven(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

// `path` without its last component; empty when it has none.
std::string FolderOf(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  return last == std::string::npos ? "" : path.substr(0, last);
}

std::string NameOf(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  return last == std::string::npos ? path : path.substr(last + 1);
}

constexpr char kCopyFolderPrefix[] = "~B-PlotSweep-Uninstall-";

// What earlier uninstalls left in `parent`: their copies' folders, whose
// files could not go while those copies ran.
void RemoveEarlierCopyFolders(const std::string& parent) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Wide(parent + kCopyFolderPrefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring folder = Wide(parent) + found.cFileName;
    for (const char* name : {install::kUninstallerName, install::kParkedUninstallerName}) {
      DeleteFileW((folder + L"\\" + Wide(name)).c_str());
    }
    RemoveDirectoryW(folder.c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// A fresh folder for the copy on the drive of `original`, so that the
// original can be moved into it: below %TEMP% when that is on the same
// drive, otherwise at the drive's root; below %TEMP% when neither works.
std::string CreateCopyFolder(const std::string& original) {
  wchar_t temp[MAX_PATH];
  const std::string tempFolder = PathGiven(temp, GetTempPathW(MAX_PATH, temp));
  const bool sameDrive = tempFolder.size() >= 2 && original.size() >= 2 &&
                         EqualsIgnoreCase(tempFolder.substr(0, 2), original.substr(0, 2));
  const std::string parents[] = {sameDrive ? tempFolder : original.substr(0, 3), tempFolder};
  for (const std::string& parent : parents) {
    if (!base::HasDriveRoot(parent)) continue;
    RemoveEarlierCopyFolders(parent);
    // Process identifiers come again: a number makes the name new.
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string folder = parent + kCopyFolderPrefix +
                                 std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(attempt);
      if (base::Utf16Length(folder) >= MAX_PATH - 32) break;
      if (CreateDirectoryW(Wide(folder).c_str(), nullptr)) return folder;
      if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
  }
  return "";
}

// Removes what the copy's folder holds once the copy has ended; this
// program's own file, moved there, goes when Windows restarts.
void CleanUpCopyFolder(const std::string& folder, const std::string& copy) {
  DeleteFileW(Wide(copy).c_str());
  if (RemoveDirectoryW(Wide(folder).c_str())) return;
  const std::string own = OwnPath();
  if (EqualsIgnoreCase(FolderOf(own), folder)) {
    MoveFileExW(Wide(own).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
  MoveFileExW(Wide(folder).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace

bool IsUninstaller() { return EqualsIgnoreCase(NameOf(OwnPath()), install::kUninstallerName); }

bool IsInstalledUninstaller() {
  const std::string subFolder = install::kProductSubFolder;  // "\B-PlotSweep"
  return IsUninstaller() && EqualsIgnoreCase(NameOf(FolderOf(OwnPath())), subFolder.substr(1));
}

std::string ParkingFolder() {
  return IsUninstaller() && !IsInstalledUninstaller() ? FolderOf(OwnPath()) : "";
}

std::optional<int> RunUninstallFromCopy(const base::CommandLine& line) {
  const std::string original = OwnPath();
  const std::string folder = CreateCopyFolder(original);
  if (folder.empty()) return std::nullopt;
  const std::string copy = folder + "\\" + install::kUninstallerName;
  base::CommandLine copyLine = line;
  copyLine.uninstall = true;
  if (!copyLine.folder) copyLine.folder = FolderOf(FolderOf(original));
  // A folder that is some process's current folder cannot be removed: both
  // leave the install folder, the log's path made full first.
  std::wstring logFile;
  if (copyLine.logFile && win32::ToWide(*copyLine.logFile, &logFile)) {
    wchar_t full[MAX_PATH];
    const std::string fullPath =
        PathGiven(full, GetFullPathNameW(logFile.c_str(), MAX_PATH, full, nullptr));
    if (!fullPath.empty()) copyLine.logFile = fullPath;
  }
  SetCurrentDirectoryW(Wide(folder).c_str());
  std::wstring commandLine = Wide("\"" + copy + "\" " + base::ComposeCommandLine(copyLine));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (commandLine.empty() || !CopyFileW(Wide(original).c_str(), Wide(copy).c_str(), FALSE) ||
      !CreateProcessW(Wide(copy).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      Wide(folder).c_str(), &startup, &process)) {
    DeleteFileW(Wide(copy).c_str());
    RemoveDirectoryW(Wide(folder).c_str());
    return std::nullopt;
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  const bool known = GetExitCodeProcess(process.hProcess, &exitCode) != FALSE;
  CloseHandle(process.hProcess);
  CleanUpCopyFolder(folder, copy);
  return known ? static_cast<int>(exitCode) : ui::kExitInternalFailure;
}

}  // namespace app
