#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <direct.h>
#include <io.h>

#include <vector>

#include "platform/win32/wide_text.h"

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

// The result of `call(widePath)`; for a path that is not well-formed UTF-8,
// `failed` with the last error ERROR_NO_UNICODE_TRANSLATION, no file reached.
template <typename Result, typename Call>
Result OnWidePath(const std::string& path, Result failed, Call call) {
  std::wstring wide;
  if (!ToWide(path, &wide)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return failed;
  }
  return call(wide.c_str());
}

template <typename Call>
bool OnWidePaths(const std::string& from, const std::string& to, Call call) {
  return OnWidePath(from, false, [&](const wchar_t* wideFrom) {
    return OnWidePath(to, false, [&](const wchar_t* wideTo) { return call(wideFrom, wideTo); });
  });
}

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return OnWidePath(path, INVALID_HANDLE_VALUE, [&](const wchar_t* widePath) {
    return CreateFileW(widePath, access, share, nullptr, disposition, flags, nullptr);
  });
}

// FindFirstFileW's first entry is held until the first Next.
class Win32Listing : public platform::FileListing {
 public:
  Win32Listing(HANDLE search, const WIN32_FIND_DATAW& first) : m_search(search), m_data(first) {}
  ~Win32Listing() override { FindClose(m_search); }
  Win32Listing(const Win32Listing&) = delete;
  Win32Listing& operator=(const Win32Listing&) = delete;

  bool Next(platform::FileEntry* entry) override {
    if (!m_holdsEntry && !FindNextFileW(m_search, &m_data)) return false;
    m_holdsEntry = false;
    // A lone surrogate comes as U+FFFD: that name finds nothing, which is
    // what a caller that goes on to use it is told.
    entry->name = Utf8(m_data.cFileName);
    entry->attributes = m_data.dwFileAttributes;
    entry->size = static_cast<std::uint64_t>(m_data.nFileSizeHigh) << 32 | m_data.nFileSizeLow;
    return true;
  }

 private:
  HANDLE m_search;
  WIN32_FIND_DATAW m_data;
  bool m_holdsEntry = true;
};

}  // namespace

bool Win32FileSystem::CopyOver(const std::string& from, const std::string& to) {
  return OnWidePaths(from, to, [](const wchar_t* wideFrom, const wchar_t* wideTo) {
    return CopyFileW(wideFrom, wideTo, FALSE) != FALSE;
  });
}

bool Win32FileSystem::CreateDir(const std::string& path) {
  return OnWidePath(path, false, [](const wchar_t* widePath) {
    return CreateDirectoryW(widePath, nullptr) != FALSE;
  });
}

int Win32FileSystem::MakeDir(const std::string& path) {
  return OnWidePath(path, -1, [](const wchar_t* widePath) { return _wmkdir(widePath); });
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return OnWidePath(path, false,
                    [](const wchar_t* widePath) { return DeleteFileW(widePath) != FALSE; });
}

unsigned long Win32FileSystem::GetAttributes(const std::string& path) {
  return OnWidePath(path, INVALID_FILE_ATTRIBUTES,
                    [](const wchar_t* widePath) { return GetFileAttributesW(widePath); });
}

bool Win32FileSystem::SetAttributes(const std::string& path, unsigned long attributes) {
  return OnWidePath(path, false, [&](const wchar_t* widePath) {
    return SetFileAttributesW(widePath, attributes) != FALSE;
  });
}

bool Win32FileSystem::Exists(const std::string& path) {
  return OnWidePath(path, false,
                    [](const wchar_t* widePath) { return _waccess(widePath, 0) == 0; });
}

std::unique_ptr<platform::FileListing> Win32FileSystem::List(const std::string& pattern) {
  WIN32_FIND_DATAW first;
  const HANDLE search = OnWidePath(pattern, INVALID_HANDLE_VALUE, [&](const wchar_t* widePattern) {
    return FindFirstFileW(widePattern, &first);
  });
  if (search == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Listing>(search, first);
}

unsigned long Win32FileSystem::LastError() { return GetLastError(); }

unsigned long Win32FileSystem::ProbeWrite(const std::string& folder) {
  const HANDLE file = Open(folder + "\\~B-PlotSweep-write-probe.tmp", GENERIC_WRITE, 0, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // Somebody's probe left over: whoever wrote it could write there.
    return error == ERROR_FILE_EXISTS ? 0 : error;
  }
  CloseHandle(file);
  return 0;
}

bool Win32FileSystem::RemoveDir(const std::string& path) {
  return OnWidePath(path, false,
                    [](const wchar_t* widePath) { return RemoveDirectoryW(widePath) != FALSE; });
}

bool Win32FileSystem::MoveOver(const std::string& from, const std::string& to) {
  return OnWidePaths(from, to, [](const wchar_t* wideFrom, const wchar_t* wideTo) {
    return MoveFileExW(wideFrom, wideTo, MOVEFILE_REPLACE_EXISTING) != FALSE;
  });
}

unsigned long Win32FileSystem::ReadText(const std::string& path, std::size_t capacity,
                                        std::string* text) {
  text->clear();
  const OpenFile file(
      Open(path, GENERIC_READ, kShareReadWrite, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
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
  const OpenFile file(
      Open(path, FILE_APPEND_DATA, kShareReadWrite, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL));
  if (!file.Valid()) return GetLastError();
  DWORD written = 0;
  if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    return GetLastError();
  }
  // Part of the text on its own would leave the file cut.
  return written == text.size() ? 0 : ERROR_WRITE_FAULT;
}

}  // namespace win32
