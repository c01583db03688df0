#include "platform/win32/file_log.h"

#include "platform/win32/wide_text.h"

namespace win32 {

namespace {

// The full path of `path`, or nothing when it does not fit MAX_PATH units
// or names no file (not well-formed UTF-8; a lone surrogate from the current
// folder).
std::string FullPathOf(const std::string& path) {
  std::wstring widePath;
  if (!ToWide(path, &widePath)) return "";
  wchar_t full[MAX_PATH];
  const DWORD length = GetFullPathNameW(widePath.c_str(), MAX_PATH, full, nullptr);
  std::string fullPath;
  if (length == 0 || length >= MAX_PATH || !ToUtf8(full, length, &fullPath)) return "";
  return fullPath;
}

}  // namespace

FileLog::FileLog(const std::string& path, bool append) : m_fullPath(FullPathOf(path)) {
  if (m_fullPath.empty()) return;
  // Append access alone: every write lands at the end, wherever another
  // writer has left it.
  m_file =
      CreateFileW(Wide(m_fullPath).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size{};
  if (ok() && GetFileSizeEx(m_file, &size) && size.QuadPart == 0) Write("\xEF\xBB\xBF");
}

FileLog::~FileLog() {
  if (ok()) CloseHandle(m_file);
}

void FileLog::Line(const std::string& text) { Write(text + "\r\n"); }

void FileLog::Write(const std::string& bytes) {
  if (!ok()) return;
  DWORD written = 0;
  WriteFile(m_file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace win32
