#include "e2e/harness/install_support.h"

#include <tlhelp32.h>

#include "e2e/harness/setup_driver.h"

namespace {

// Far longer than any test that needs a stand-in.
constexpr DWORD kStandInLifetime = 120000;

LONG QueryValue(HKEY handle, const std::string& name, bool wide, DWORD* type, std::string* data,
                DWORD* size) {
  BYTE* buffer = data->empty() ? nullptr : reinterpret_cast<BYTE*>(&(*data)[0]);
  if (!wide) return RegQueryValueExA(handle, name.c_str(), nullptr, type, buffer, size);
  return RegQueryValueExW(handle, Widened(name).c_str(), nullptr, type, buffer, size);
}

}  // namespace

// ---- Registry values and files ---------------------------------------------

StoredValue ReadStoredValue(HKEY root, const std::string& key, const std::string& name, bool wide) {
  StoredValue value;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return value;
  DWORD type = REG_NONE;
  DWORD size = 0;
  std::string data;
  if (QueryValue(handle, name, wide, &type, &data, &size) == ERROR_SUCCESS) {
    data.resize(size);
    if (QueryValue(handle, name, wide, &type, &data, &size) == ERROR_SUCCESS) {
      data.resize(size);
      value = StoredValue{type, data};
    }
  }
  RegCloseKey(handle);
  return value;
}

StoredValue SzValue(const std::string& text) { return StoredValue{REG_SZ, text + '\0'}; }

StoredValue WideSzValue(const std::wstring& text) {
  const std::wstring terminated = text + L'\0';
  return StoredValue{REG_SZ, std::string(reinterpret_cast<const char*>(terminated.data()),
                                         terminated.size() * sizeof(wchar_t))};
}

bool WriteWideString(HKEY root, const std::string& key, const std::string& name,
                     const std::wstring& text) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return false;
  const LONG result = RegSetValueExW(handle, Widened(name).c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

StoredValue DwordValue(DWORD number) {
  return StoredValue{REG_DWORD,
                     std::string(reinterpret_cast<const char*>(&number), sizeof(number))};
}

void PrintTo(const StoredValue& value, std::ostream* out) {
  *out << "type " << value.type << ", " << value.data.size() << " bytes";
  if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
    *out << ": " << *reinterpret_cast<const DWORD*>(value.data.data());
  } else if (!value.data.empty()) {
    *out << ": \"";
    for (unsigned char byte : value.data) {
      if (byte >= 0x20 && byte < 0x7F) {
        *out << byte;
      } else {
        *out << "\\x" << std::hex << static_cast<int>(byte) << std::dec;
      }
    }
    *out << '"';
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

std::wstring Widened(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  if (length > 0 &&
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                          &wide[0], length) != length) {
    wide.clear();
  }
  return wide;
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
