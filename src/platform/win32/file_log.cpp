#include "platform/win32/file_log.h"

#include "platform/win32/ansi_to_wide.h"

namespace win32 {

namespace {

// The full path of `path`, or nothing when it does not fit MAX_PATH.
std::string FullPathOf(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length == 0 || length >= MAX_PATH ? "" : std::string(full, length);
}

}  // namespace

FileLog::FileLog(const std::string& path, bool append) : m_fullPath(FullPathOf(path)) {
  if (m_fullPath.empty()) return;
  // Append access alone: every write lands at the end, wherever another
  // writer has left it.
  m_file =
      CreateFileA(m_fullPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size{};
  if (ok() && GetFileSizeEx(m_file, &size) && size.QuadPart == 0) Write("\xEF\xBB\xBF");
}

FileLog::~FileLog() {
  if (ok()) CloseHandle(m_file);
}

void FileLog::Line(const std::string& text) {
  std::u16string wide;
  if (!AnsiTextToWide(text, &wide)) wide = u"?";
  const auto* units = reinterpret_cast<const wchar_t*>(wide.c_str());
  const int unitCount = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, units, unitCount, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  if (length > 0) {
    WideCharToMultiByte(CP_UTF8, 0, units, unitCount, &utf8[0], length, nullptr, nullptr);
  }
  Write(utf8 + "\r\n");
}

void FileLog::Write(const std::string& bytes) {
  if (!ok()) return;
  DWORD written = 0;
  WriteFile(m_file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace win32
