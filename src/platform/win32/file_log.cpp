#include "platform/win32/file_log.h"

#include "platform/win32/ansi_to_wide.h"

namespace win32 {

FileLog::FileLog(const std::string& path)
    : m_file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (ok()) Write("\xEF\xBB\xBF");
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
