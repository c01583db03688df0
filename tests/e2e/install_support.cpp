#include "e2e/install_support.h"

#include <tlhelp32.h>

#include "e2e/setup_driver.h"

namespace {

// Far longer than any test that needs a stand-in.
constexpr DWORD kStandInLifetime = 120000;

}  // namespace

// ---- Registry values and files ---------------------------------------------

StoredValue ReadStoredValue(HKEY root, const std::string& key, const std::string& name) {
  StoredValue value;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return value;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExA(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::string data(size, '\0');
    if (RegQueryValueExA(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                         &size) == ERROR_SUCCESS) {
      data.resize(size);
      value = StoredValue{type, data};
    }
  }
  RegCloseKey(handle);
  return value;
}

StoredValue SzValue(const std::string& text) { return StoredValue{REG_SZ, text + '\0'}; }

StoredValue DwordValue(DWORD number) {
  return StoredValue{REG_DWORD,
                     std::string(reinterpret_cast<const char*>(&number), sizeof(number))};
}

void PrintTo(const StoredValue& value, std::ostream* out) {
  *out << "type " << value.type << ", " << value.data.size() << " bytes";
  if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
    *out << ": " << *reinterpret_cast<const DWORD*>(value.data.data());
  } else if (!value.data.empty()) {
    *out << ": \"" << value.data.c_str() << "\"";
  }
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::string> FolderEntries(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.insert(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// ---- SettingsFileGuard -----------------------------------------------------

SettingsFileGuard::SettingsFileGuard() {
  char appData[MAX_PATH] = "";
  const DWORD length = GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  m_folder = std::string(appData, length) + "\\Brenix";
  m_path = m_folder + "\\" + kSettingsFileName;
  m_folderExisted = PathExists(m_folder);
  m_saved = ReadFileContent(m_path);
  if (m_saved) DeleteFileA(m_path.c_str());
}

SettingsFileGuard::~SettingsFileGuard() {
  if (m_path.empty()) return;
  if (m_saved) {
    WriteFileContent(m_path, *m_saved);
    return;
  }
  DeleteFileA(m_path.c_str());
  if (!m_folderExisted) RemoveDirectoryA(m_folder.c_str());
}

// ---- StandInProcess --------------------------------------------------------

StandInProcess::StandInProcess(const std::string& imagePath)
    : m_imageName(imagePath.substr(imagePath.find_last_of('\\') + 1)) {
  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !CopyFileA(self, imagePath.c_str(), FALSE)) return;
  std::string commandLine = "\"" + imagePath + "\" " + kIdleFlag + std::to_string(kStandInLifetime);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessA(imagePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &m_process)) {
    m_process = PROCESS_INFORMATION{};
  }
}

StandInProcess::~StandInProcess() {
  if (m_process.hProcess == nullptr) return;
  TerminateProcess(m_process.hProcess, 0);
  WaitForSingleObject(m_process.hProcess, kExitTimeout);
  CloseHandle(m_process.hThread);
  CloseHandle(m_process.hProcess);
}

bool StandInProcess::listed() const {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found;
       more = Process32Next(snapshot, &entry)) {
    found = lstrcmpiA(entry.szExeFile, m_imageName.c_str()) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

// ---- ExclusiveLock ---------------------------------------------------------

ExclusiveLock::ExclusiveLock(const std::string& path)
    : m_file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr)) {}

void ExclusiveLock::Release() {
  if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
  m_file = INVALID_HANDLE_VALUE;
}
