#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <direct.h>
#include <io.h>

namespace win32 {

namespace {

// FindFirstFileA's first entry is held until the first Next.
class Win32Listing : public platform::FileListing {
 public:
  Win32Listing(HANDLE search, const WIN32_FIND_DATAA& first) : m_search(search), m_data(first) {}
  ~Win32Listing() override { FindClose(m_search); }
  Win32Listing(const Win32Listing&) = delete;
  Win32Listing& operator=(const Win32Listing&) = delete;

  bool Next(platform::FileEntry* entry) override {
    if (!m_holdsEntry && !FindNextFileA(m_search, &m_data)) return false;
    m_holdsEntry = false;
    entry->name = m_data.cFileName;
    entry->attributes = m_data.dwFileAttributes;
    return true;
  }

 private:
  HANDLE m_search;
  WIN32_FIND_DATAA m_data;
  bool m_holdsEntry = true;
};

}  // namespace

bool Win32FileSystem::CopyOver(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Win32FileSystem::CreateDir(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

int Win32FileSystem::MakeDir(const std::string& path) { return _mkdir(path.c_str()); }

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != FALSE;
}

unsigned long Win32FileSystem::GetAttributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

bool Win32FileSystem::SetAttributes(const std::string& path, unsigned long attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool Win32FileSystem::Exists(const std::string& path) { return _access(path.c_str(), 0) == 0; }

std::unique_ptr<platform::FileListing> Win32FileSystem::List(const std::string& pattern) {
  WIN32_FIND_DATAA first;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &first);
  if (search == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Listing>(search, first);
}

unsigned long Win32FileSystem::LastError() { return GetLastError(); }

unsigned long Win32FileSystem::ProbeWrite(const std::string& folder) {
  const std::string probe = folder + "\\~B-PlotSweep-write-probe.tmp";
  const HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // Somebody's probe left over: whoever wrote it could write there.
    return error == ERROR_FILE_EXISTS ? 0 : error;
  }
  CloseHandle(file);
  return 0;
}

}  // namespace win32
