#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <direct.h>
#include <io.h>

#include <vector>

namespace win32 {

namespace {

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Closes a file handle as it goes out of scope.
class OpenFile {
 public:
  explicit OpenFile(HANDLE file) : m_file(file) {}
  ~OpenFile() {
    if (Valid()) CloseHandle(m_file);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  bool Valid() const { return m_file != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return m_file; }

 private:
  HANDLE m_file;
};

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
    entry->size = static_cast<std::uint64_t>(m_data.nFileSizeHigh) << 32 | m_data.nFileSizeLow;
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

bool Win32FileSystem::RemoveDir(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) != FALSE;
}

bool Win32FileSystem::MoveOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

unsigned long Win32FileSystem::ReadText(const std::string& path, std::size_t capacity,
                                        std::string* text) {
  text->clear();
  const OpenFile file(CreateFileA(path.c_str(), GENERIC_READ, kShareReadWrite, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file.Valid() || !GetFileSizeEx(file.get(), &size)) return GetLastError();
  if (static_cast<std::uint64_t>(size.QuadPart) > capacity) return ERROR_MORE_DATA;
  std::vector<char> buffer(static_cast<std::size_t>(size.QuadPart) + 1);  // +1 keeps 0 valid
  DWORD got = 0;
  if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(size.QuadPart), &got, nullptr)) {
    return GetLastError();
  }
  text->assign(buffer.data(), got);
  return 0;
}

unsigned long Win32FileSystem::AppendText(const std::string& path, const std::string& text) {
  const OpenFile file(CreateFileA(path.c_str(), FILE_APPEND_DATA, kShareReadWrite, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return GetLastError();
  DWORD written = 0;
  if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    return GetLastError();
  }
  // Part of the text on its own would leave the file cut.
  return written == text.size() ? 0 : ERROR_WRITE_FAULT;
}

}  // namespace win32
