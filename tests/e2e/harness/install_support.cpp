#include "e2e/harness/install_support.h"

#include <tlhelp32.h>

#include "e2e/harness/setup_driver.h"

namespace {

// Far longer than any test that needs a stand-in.
constexpr DWORD kStandInLifetime = 120000;

LONG QueryValue(HKEY handle, const std::wstring& name, DWORD* type, std::string* data,
                DWORD* size) {
  BYTE* buffer = data->empty() ? nullptr : reinterpret_cast<BYTE*>(&(*data)[0]);
  return RegQueryValueExW(handle, name.c_str(), nullptr, type, buffer, size);
}

}  // namespace

// ---- Registry values and files ---------------------------------------------

StoredValue ReadStoredValue(HKEY root, const std::string& key, const std::string& name) {
  StoredValue value;
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, Widened(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return value;
  }
  const std::wstring wideName = Widened(name);
  DWORD type = REG_NONE;
  DWORD size = 0;
  std::string data;
  if (QueryValue(handle, wideName, &type, &data, &size) == ERROR_SUCCESS) {
    data.resize(size);
    if (QueryValue(handle, wideName, &type, &data, &size) == ERROR_SUCCESS) {
      data.resize(size);
      value = StoredValue{type, data};
    }
  }
  RegCloseKey(handle);
  return value;
}

StoredValue SzValue(const std::string& text) {
  const std::wstring terminated = Widened(text) + L'\0';
  return StoredValue{REG_SZ, std::string(reinterpret_cast<const char*>(terminated.data()),
                                         terminated.size() * sizeof(wchar_t))};
}

std::string StoredText(const StoredValue& value) {
  if (value.type != REG_SZ) return "";
  const std::wstring units(reinterpret_cast<const wchar_t*>(value.data.data()),
                           value.data.size() / sizeof(wchar_t));
  return Narrowed(units.substr(0, units.find(L'\0')));
}

bool WriteStringValue(HKEY root, const std::string& key, const std::string& name,
                      const std::string& text) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, Widened(key).c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring data = Widened(text);
  const LONG result = RegSetValueExW(handle, Widened(name).c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
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
  } else if (value.type == REG_SZ && value.data.size() % sizeof(wchar_t) == 0) {
    // The UTF-16 text as UTF-8, each NUL (the terminating one too) as \0.
    std::wstring units(reinterpret_cast<const wchar_t*>(value.data.data()),
                       value.data.size() / sizeof(wchar_t));
    *out << ": \"";
    for (std::size_t nul = units.find(L'\0'); nul != std::wstring::npos; nul = units.find(L'\0')) {
      *out << Narrowed(units.substr(0, nul)) << "\\0";
      units.erase(0, nul + 1);
    }
    *out << Narrowed(units) << '"';
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
  return GetFileAttributesW(Widened(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::string> FolderEntries(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW(Widened(folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = Narrowed(entry.cFileName);
    if (name != "." && name != "..") names.insert(name);
  } while (FindNextFileW(search, &entry));
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
  wchar_t appData[MAX_PATH] = L"";
  const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  m_folder = Narrowed(std::wstring(appData, length)) + "\\Brenix";
  m_path = m_folder + "\\" + kSettingsFileName;
  m_folderExisted = PathExists(m_folder);
  m_saved = ReadFileContent(m_path);
  if (m_saved) DeleteFileW(Widened(m_path).c_str());
}

SettingsFileGuard::~SettingsFileGuard() {
  if (m_path.empty()) return;
  if (m_saved) {
    WriteFileContent(m_path, *m_saved);
    return;
  }
  DeleteFileW(Widened(m_path).c_str());
  if (!m_folderExisted) RemoveDirectoryW(Widened(m_folder).c_str());
}

// ---- StandInProcess --------------------------------------------------------

StandInProcess::StandInProcess(const std::string& imagePath)
    : m_imageName(imagePath.substr(imagePath.find_last_of('\\') + 1)) {
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring image = Widened(imagePath);
  if (length == 0 || length >= MAX_PATH || !CopyFileW(self, image.c_str(), FALSE)) return;
  std::wstring commandLine =
      Widened("\"" + imagePath + "\" " + kIdleFlag + std::to_string(kStandInLifetime));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(image.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &m_process)) {
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
  const std::wstring imageName = Widened(m_imageName);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    found = lstrcmpiW(entry.szExeFile, imageName.c_str()) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

// ---- ExclusiveLock ---------------------------------------------------------

ExclusiveLock::ExclusiveLock(const std::string& path)
    : m_file(CreateFileW(Widened(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr)) {}

void ExclusiveLock::Release() {
  if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
  m_file = INVALID_HANDLE_VALUE;
}
