#include "app/uninstaller_handover.h"

#include <windows.h>

#include <string>

#include "base/text.h"
#include "base/windows_path.h"
#include "install/install_record.h"
#include "install/install_sequence.h"
#include "ui/setup/unattended.h"

using base::EqualsIgnoreCase;

namespace app {

namespace {

// This program's path; empty when it does not fit MAX_PATH.
std::string OwnPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? "" : std::string(path, length);
}

// `path` without its last component; empty when it has none.
std::string FolderOf(const std::string& path) {
  const std::size_t last = base::FindLastBackslash(path);
  return last == std::string::npos ? "" : path.substr(0, last);
}

std::string NameOf(const std::string& path) {
  const std::size_t last = base::FindLastBackslash(path);
  return last == std::string::npos ? path : path.substr(last + 1);
}

constexpr char kCopyFolderPrefix[] = "~B-PlotSweep-Uninstall-";

// What earlier uninstalls left in `parent`: their copies' folders, whose
// files could not go while those copies ran.
void RemoveEarlierCopyFolders(const std::string& parent) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((parent + kCopyFolderPrefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string folder = parent + found.cFileName;
    for (const char* name : {install::kUninstallerName, install::kParkedUninstallerName}) {
      DeleteFileA((folder + "\\" + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// A fresh folder for the copy on the drive of `original`, so that the
// original can be moved into it: below %TEMP% when that is on the same
// drive, otherwise at the drive's root; below %TEMP% when neither works.
std::string CreateCopyFolder(const std::string& original) {
  char temp[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  const std::string tempFolder = length == 0 || length >= MAX_PATH ? "" : std::string(temp, length);
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
      if (folder.size() >= MAX_PATH - 32) break;
      if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
      if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
  }
  return "";
}

// Removes what the copy's folder holds once the copy has ended; this
// program's own file, moved there, goes when Windows restarts.
void CleanUpCopyFolder(const std::string& folder, const std::string& copy) {
  DeleteFileA(copy.c_str());
  if (RemoveDirectoryA(folder.c_str())) return;
  const std::string own = OwnPath();
  if (EqualsIgnoreCase(FolderOf(own), folder)) {
    MoveFileExA(own.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
  MoveFileExA(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
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
  if (copyLine.logFile) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(copyLine.logFile->c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH) copyLine.logFile = std::string(full, length);
  }
  SetCurrentDirectoryA(folder.c_str());
  std::string commandLine = "\"" + copy + "\" " + base::ComposeCommandLine(copyLine);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CopyFileA(original.c_str(), copy.c_str(), FALSE) ||
      !CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
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
